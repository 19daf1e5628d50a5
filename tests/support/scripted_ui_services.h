#pragma once
// UiServices with answers given in advance and a record of everything asked,
// for tests and non-interactive use.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/ui_services.h"

namespace tarnix {

class ScriptedUiServices : public UiServices {
 public:
  struct MessageCall {
    std::string text;
    MessageButtons buttons;
    MessageAnswer defaultAnswer;
  };

  // Answers are used in order; when none is left, a message box takes its
  // default answer and a file dialog is cancelled.
  std::deque<MessageAnswer> answers;
  std::deque<std::optional<std::string>> files;

  std::vector<MessageCall> messages;
  std::vector<std::string> warnings;  // shown with the exclamation icon, also in messages
  std::vector<FileDialogRequest> dialogs;
  std::vector<std::string> statusTexts;
  std::string title;
  int waitDepth = 0;
  int maxWaitDepth = 0;
  int viewUpdates = 0;
  unsigned lastHint = 0;

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) override;
  void Warning(const std::string& text) override {
    warnings.push_back(text);
    Message(text, MessageButtons::Ok, MessageAnswer::Ok);
  }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void SetTitle(const std::string& text) override { title = text; }
  void UpdateAllViews(unsigned hint) override {
    ++viewUpdates;
    lastHint = hint;
  }

  // The texts of all messages shown so far.
  std::vector<std::string> MessageTexts() const;
};

}  // namespace tarnix
