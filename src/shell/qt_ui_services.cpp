#include "shell/qt_ui_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QStringList>

namespace tarnix {
namespace {

QMessageBox::StandardButton ToQt(MessageAnswer a) {
  switch (a) {
    case MessageAnswer::Yes:
      return QMessageBox::Yes;
    case MessageAnswer::No:
      return QMessageBox::No;
    case MessageAnswer::Cancel:
      return QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    if (description.isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    // Qt takes the patterns from the parentheses; add them when the text has none.
    filters << (description.contains('(') ? description : description + " (" + patterns + ")");
  }
  return filters.join(";;");
}

void QtUiServices::Attach(QMainWindow* window, std::function<void(unsigned hint)> repaint) {
  window_ = window;
  repaint_ = std::move(repaint);
}

MessageAnswer QtUiServices::Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) {
  return Show(text, buttons, defaultAnswer, false);
}

void QtUiServices::Warning(const std::string& text) { Show(text, MessageButtons::Ok, MessageAnswer::Ok, true); }

MessageAnswer QtUiServices::Show(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer,
                                 bool warning) {
  QMessageBox box(window_);
  box.setWindowTitle(QStringLiteral("Tarnix"));
  box.setText(QString::fromStdString(text));
  switch (buttons) {
    case MessageButtons::Ok:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::YesNo:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::YesNoCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MessageButtons::OkCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
  }
  if (warning) box.setIcon(QMessageBox::Warning);
  if (buttons != MessageButtons::Ok) box.setDefaultButton(ToQt(defaultAnswer));
  if (box.button(QMessageBox::Ok)) box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  if (box.button(QMessageBox::Yes)) box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
  if (box.button(QMessageBox::No)) box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
  if (box.button(QMessageBox::Cancel)) box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Ok:
      return MessageAnswer::Ok;
    default:
      return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
  }
}

std::optional<std::string> QtUiServices::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(window_, QString::fromStdString(request.title));
  dialog.setNameFilters(QtFileFilter(request.filter).split(";;"));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (request.save && (request.flags & kOverwritePrompt) == 0) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.proposedName.empty()) dialog.selectFile(QString::fromStdString(request.proposedName));
  // Wide enough that the size and date columns read whole.
  dialog.resize(std::max(dialog.width(), 860), std::max(dialog.height(), 520));
  if (auto* details = dialog.findChild<QTreeView*>()) {
    details->header()->setMinimumSectionSize(90);
    details->header()->resizeSection(0, 320);
    details->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    details->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    details->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

void QtUiServices::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUiServices::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void QtUiServices::SetStatusText(const std::string& text) {
  // A report of what just happened fades; the bar then says it is ready again.
  if (window_ != nullptr) window_->statusBar()->showMessage(QString::fromStdString(text), kStatusTextMs);
}

void QtUiServices::SetTitle(const std::string& title) {
  if (window_ != nullptr) window_->setWindowTitle(QString::fromStdString(title));
}

void QtUiServices::UpdateAllViews(unsigned hint) {
  if (repaint_) repaint_(hint);
}

}  // namespace tarnix
