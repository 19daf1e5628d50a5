#pragma once
// The statistics panel of the analysis information bar: the picture of the
// sections' statistics, rebuilt when the document changes and copied to the
// screen at every paint.
#include <QImage>
#include <QWidget>

namespace tarnix {

class CTarnixDoc;

class CStatisticsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit CStatisticsPanel(CTarnixDoc& doc, QWidget* parent = nullptr);

  // Redraws the picture from the document.
  void Refresh();

  const QImage& Picture() const { return picture_; }
  QSize sizeHint() const override { return picture_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CTarnixDoc& doc_;
  QImage picture_;
};

}  // namespace tarnix
