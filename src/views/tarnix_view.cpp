#include "views/tarnix_view.h"

#include <QPainter>

namespace tarnix {

CTarnixView::CTarnixView(CTarnixDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CTarnixView::OnCommand(CommandId) { return false; }

bool CTarnixView::HandlesCommand(CommandId) const { return false; }

void CTarnixView::OnUpdate() { update(); }

void CTarnixView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit Activated(this);
}

void CTarnixView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  QWidget::mousePressEvent(event);
}

void CTarnixView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
}

}  // namespace tarnix
