#include "shell/help_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnix {

CHelpWindow::CHelpWindow(const QString& page, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("帮助文档"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(820, 640);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl::fromLocalFile(page));

  auto* back = new QPushButton(QStringLiteral("后退"));
  auto* home = new QPushButton(QStringLiteral("目录"));
  auto* close = new QPushButton(QStringLiteral("关闭"));
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  back->setEnabled(false);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(home);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addLayout(buttons);
}

}  // namespace tarnix
