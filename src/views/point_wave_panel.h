#pragma once
// One receiver's waveform of the point chosen in the data table, with its
// read-outs and an amplitude scale set by a slider.
#include <QStringList>
#include <QWidget>

#include "model/section_record.h"

namespace tarnix {

// Amplitude range of a panel for a slider position 0..100: 12.5 full scales at
// 0 down to 0.01 at 100, in four steeper stretches towards the left.
double PanelScale(int position);

// What a panel reads of point i: a point without samples keeps only its
// depth offset and gain.
struct PointPanelReadout {
  double h = 0.0;     // m below the shallowest point of the range
  double t = 0.0;     // µs
  double vp = 0.0;    // km/s, this receiver alone
  double db = 0.0;
  double a = 0.0;     // mV at the amplitude pick
  double gain = 0.0;
};
PointPanelReadout PanelReadoutAt(const SectionRecord& s, int i);
// "H: ", "T: ", "Vp: ", "dB: ", "A: ", "Amp: " with their formats.
QStringList PanelReadoutTexts(const PointPanelReadout& r);

class CPointWavePanel : public QWidget {
  Q_OBJECT
 public:
  explicit CPointWavePanel(QWidget* parent = nullptr);

  // The point to show (nullptr: none); number is its row in the table.
  void ShowPoint(const SectionRecord* section, int point, int number);
  void SetScale(double scale);
  double Scale() const { return scale_; }
  QString Title() const;
  const QStringList& ReadoutTexts() const { return readouts_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const SectionRecord* section_ = nullptr;
  int point_ = -1;
  int number_ = 0;
  double scale_ = 12.5;
  QStringList readouts_;
};

}  // namespace tarnix
