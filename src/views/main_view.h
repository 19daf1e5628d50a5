#pragma once
// The wave panes of the main layout: all points of one section as a vertical
// wave train (or as spectra), with a cross-hair and read-outs, manual picking,
// the two range handles, scrolling, zoom, and copy and paste of one point.
#include <QImage>

#include "views/tarnix_view.h"
#include "render/wave_train.h"

class QScrollBar;

namespace tarnix {

struct SectionRecord;

// Wave pane of channel 1 (the current section).
class CMainView : public CTarnixView {
  Q_OBJECT
 public:
  CMainView(CTarnixDoc& doc, QWidget* parent = nullptr);

  // The section this pane shows, counted from the current section; it is also
  // the pane's channel index.
  virtual int ChannelOffset() const { return 0; }

  bool OnCommand(CommandId id) override;
  bool HandlesCommand(CommandId id) const override;
  void OnUpdate() override;

  // "区域放大" and "区域缩小": true when the row height changed.
  bool ZoomIn();
  // Keeps this pane on the same rows as other, however other is scrolled, so
  // that the two channels' trains never drift apart.
  void FollowRows(const CMainView* other);
  // Makes the point the current one and scrolls its row into view.
  void ShowPoint(int index);
  bool ZoomOut();

  // The section shown and its index, or nullptr and -1 while there is none.
  const SectionRecord* Section() const;
  int SectionIndex() const;
  const WaveLayout& Layout() const { return layout_; }
  // The height the rows and the current-waveform panel share: what the
  // read-out strip, the train's margins and a horizontal scroll bar leave.
  int DrawingHeight() const;
  // Row height at zoom level 1, from the last layout for a file or a size.
  float LevelOneRowHeight() const { return levelOneRowHeight_; }
  // The values under the cursor as the read-out line last showed them.
  const Readout& LastReadout() const { return readout_; }

 signals:
  // The train moved in the pane: the analysis pane follows it.
  void Scrolled();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class Handle { None, Upper, Lower };

  int FrameWidth() const;
  // Geometry from the pane's size, the document and the scroll bars.
  void ComputeLayout();
  // The level-1 row height for this size; a new file also starts at level 1.
  void ResetRowHeight(bool newFile);
  // Lays the pane out afresh once per opened file; false when nothing is new.
  bool AdoptNewFile();
  void Invalidate();
  void ScrollBy(int dx, int dy);
  void ScrollTo(int h, int v);
  void KeepRowInView(int row);

  Readout ReadoutAt(QPoint p) const;
  QRegion CrossHairRegion(QPoint p) const;
  QRect DragRegion(int y) const;
  void MoveCrossHair(QPoint p);
  void HideCrossHair();
  Handle HandleAt(QPoint p) const;

  void Pick(QPoint p);
  void DropHandle(Handle which, QPoint p);
  void EditHandle(Handle which);
  void CopyWave();
  void PasteWave();
  void AfterZoom(float factor);

  QImage cache_;
  bool cacheDirty_ = true;
  FrequencyCache spectra_;
  QImage readoutImage_;
  Readout readout_;
  WaveLayout layout_;
  float levelOneRowHeight_ = 0.0f;
  uint32_t seenOpenCount_ = 0;
  QScrollBar* hBar_ = nullptr;
  QScrollBar* vBar_ = nullptr;
  bool settingBars_ = false;
  bool crossShown_ = false;
  QPoint cross_;
  Handle drag_ = Handle::None;
  int dragY_ = 0;
};

// Wave pane of channel 2: the section after the current one.
class CSecView : public CMainView {
  Q_OBJECT
 public:
  using CMainView::CMainView;
  int ChannelOffset() const override { return 1; }
};

}  // namespace tarnix
