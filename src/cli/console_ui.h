#pragma once
// UiServices for the command line: messages go to stderr, questions take their
// default answer unless --yes was given, and there are no file dialogs.
#include <string>

#include "document/ui_services.h"

namespace tarnix::cli {

class ConsoleUi : public UiServices {
 public:
  explicit ConsoleUi(bool assumeYes = false) : assumeYes_(assumeYes) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void UpdateAllViews(unsigned) override {}

  // Whether a question was answered No for want of --yes.
  bool Declined() const { return declined_; }

 private:
  bool assumeYes_;
  bool declined_ = false;
};

}  // namespace tarnix::cli
