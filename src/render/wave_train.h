#pragma once
// Geometry and drawing of a wave pane: the wave train of one section in its
// four styles or as spectra, the pick curves and markers, the current-waveform
// panel and the range handles, rendered into an image that the pane keeps as
// its cache. No widgets here, so the drawing runs the same on screen, in tests
// and in benchmarks.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include "analysis/frequency_cache.h"
#include "document/display_settings.h"
#include "model/section_record.h"

namespace tarnix {

// Pixels above the first and below the last row of the train.
inline constexpr int kTrainMargin = 10;
// Height (or width) of a scroll bar.
inline constexpr int kScrollBarSize = 17;
// Height of a dragged range handle.
inline constexpr int kHandleHeight = 8;

// Where everything of a wave pane lies, in pane pixels. The train is laid out
// in "view" coordinates (0 at the top of the visible train, rows scrolled by
// vScroll); the current-waveform panel cuts the view at `split`, so that the
// panel can stand above, inside or below the train.
struct WaveLayout {
  int width = 0;
  int height = 0;
  int stripWidth = 0;    // the frame's width: the read-out line scales with it
  int headerHeight = 0;  // read-out strip across the top
  int leftMargin = 0;
  int datLen = 0;
  float pixelsPerSample = 1.0f;
  int contentWidth = 0;  // left margin + drawn width
  int hBarHeight = 0;
  int vBarWidth = 0;
  int areaTop = 0;  // wave area: below the header strip, above the scroll bar
  int areaBottom = 0;
  int areaRight = 0;
  int panelHeight = 0;  // 0 when the current-waveform panel is off
  int trainViewHeight = 0;
  int split = 0;  // view y at which the panel interrupts the train
  float rowHeight = 1.0f;
  int rowCount = 0;
  int contentHeight = 0;  // the whole train, margins included
  int hScroll = 0;
  int vScroll = 0;

  int MaxHScroll() const;
  int MaxVScroll() const;
  float SampleX(double k) const { return static_cast<float>(leftMargin + k * pixelsPerSample - hScroll); }
  // Distance in pixels from the start of the traces, scrolling included.
  double TraceOffset(int x) const { return static_cast<double>(x) - leftMargin + hScroll; }
  int PanelTop() const { return areaTop + split; }
  QRect PanelRect() const { return QRect(0, PanelTop(), areaRight, panelHeight); }
  QRect WaveArea() const { return QRect(leftMargin, areaTop, areaRight - leftMargin, areaBottom - areaTop); }
  QRect HeaderRect() const { return QRect(0, 0, width, headerHeight); }
  bool InWaveArea(QPoint p) const { return WaveArea().contains(p); }
  bool InPanel(int y) const { return panelHeight > 0 && y >= PanelTop() && y < PanelTop() + panelHeight; }

  float RowBaselineView(int row) const { return kTrainMargin + (row + 0.5f) * rowHeight - vScroll; }
  // Screen y of a view y; the panel's band is skipped.
  float ViewToScreen(float yView) const {
    return yView < split ? areaTop + yView : areaTop + panelHeight + yView;
  }
  // The row whose band holds screen y, or -1 outside every row.
  int RowAt(int y) const;
  // Screen y of a row's baseline, or nothing when it is scrolled away or
  // hidden by the panel.
  bool RowBaseline(int row, float& y) const;
  // Point index of a row and back: rows run from the shallowest point down.
  int PointOfRow(int row) const { return rowCount - 1 - row; }
  int RowOfPoint(int index) const { return rowCount - 1 - index; }
  // The two stretches of the train view and where each one lands on screen.
  struct Band {
    int viewTop, viewBottom, screenOrigin;
  };
  Band UpperBand() const { return {0, split, areaTop}; }
  Band LowerBand() const { return {split, trainViewHeight, areaTop + panelHeight}; }
  // The rectangle of a range handle centred on screen y.
  QRect HandleRect(int y) const { return QRect(0, y - kHandleHeight / 2, leftMargin, kHandleHeight + 1); }
};

// What the wave pane draws from the document.
struct WavePaneContent {
  const SectionRecord* section = nullptr;  // nullptr or unused: an empty pane
  const DisplaySettings* display = nullptr;
  int currentPoint = -1;
  FrequencyCache* spectra = nullptr;  // the pane's spectra; nullptr computes each one
};

// The cached layer: background, time ruler, the train in its style, pick
// markers and curves, the current-waveform panel and the range handles.
void RenderWavePane(QImage& image, const WaveLayout& layout, const WavePaneContent& content);

// Values under the cursor.
struct Readout {
  int amp = -1;          // gain of the point, whole number
  double vp = 0.0;       // km/s
  double h = -1.0;       // m; negative outside the rows
  double t = 0.0;        // µs
  double a = 0.001;      // mV
};

// The five texts of the read-out line, in their order on the line.
QStringList ReadoutTexts(const Readout& r);
// Offsets of the five texts as fractions of the strip width.
inline constexpr double kReadoutOffsets[5] = {0.0, 0.05, 0.12, 0.17, 0.222};
// The read-out line as the header strip shows it: the strip's width and half
// its height, white, in Times New Roman. Where the texts at their places would
// run past the pane's width (a narrow screen), they follow one another and
// wrap onto a second line instead.
QImage RenderReadout(const Readout& r, int stripWidth, int headerHeight, int paneWidth);

// Amplitude reference of a section: the median of the points' peaks (in
// counts per unit gain), so that a typical trace fills the same part of its row
// whatever the recording level.
double AmplitudeReference(const SectionRecord& section);

// Grey level of a sample in the grey style.
int GreyLevel(int sample, int greyMin, int greyMax, int phase, int gain);

}  // namespace tarnix
