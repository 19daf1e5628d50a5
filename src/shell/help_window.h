#pragma once
// The user's guide in a window of its own, for machines without a web browser.
#include <QDialog>

class QTextBrowser;

namespace tarnix {

class CHelpWindow : public QDialog {
  Q_OBJECT
 public:
  // page: the guide's index.html.
  CHelpWindow(const QString& page, QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace tarnix
