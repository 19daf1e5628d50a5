#pragma once
// UiServices through Qt: message boxes, file dialogs, the wait cursor and the
// main window's status bar and title.
#include <QString>
#include <functional>

#include "document/ui_services.h"

class QMainWindow;

namespace tarnix {

// "desc|pattern|desc|pattern||" as a Qt name filter list ("desc (pattern);;...").
QString QtFileFilter(const std::string& filter);

// How long a status text stays before the bar returns to "就绪".
inline constexpr int kStatusTextMs = 6000;

class QtUiServices : public UiServices {
 public:
  // The window owns the status bar and the title; repaint refreshes every view.
  void Attach(QMainWindow* window, std::function<void(unsigned hint)> repaint);

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) override;
  void Warning(const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetStatusText(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  void UpdateAllViews(unsigned hint) override;

 private:
  MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer, bool warning);

  QMainWindow* window_ = nullptr;
  std::function<void(unsigned hint)> repaint_;
};

}  // namespace tarnix
