#pragma once
// What the pane benchmarks share: the reference test opened in a document,
// and a mouse move delivered the way the window system delivers it.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "large_test.h"
#include "support/scripted_ui_services.h"

namespace tarnix::bench {

struct OpenedLargeTest {
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc{ui, recent};

  OpenedLargeTest() { doc.OnOpenDocument(LargeTestPath()); }
};

// Moves the mouse over the pane and lets the pane repaint what it asked for.
inline void MoveMouse(QWidget* pane, QPointF at) {
  QMouseEvent move(QEvent::MouseMove, at, pane->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(pane, &move);
  QApplication::processEvents();
}

}  // namespace tarnix::bench
