#include "views/statistics_panel.h"

#include <QPainter>

#include "render/statistics_picture.h"

namespace tarnix {

CStatisticsPanel::CStatisticsPanel(CTarnixDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("statisticsPanel"));
  Refresh();
}

void CStatisticsPanel::Refresh() {
  picture_ = DrawStatisticsPicture(doc_);
  // As large as the picture, so that the bar scrolls rather than cutting it.
  setMinimumSize(picture_.size());
  updateGeometry();
  update();
}

void CStatisticsPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, picture_);
}

}  // namespace tarnix
