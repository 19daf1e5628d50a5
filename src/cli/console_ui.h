#pragma once
// UiServices for the command line: messages go to stderr (or are kept, for a
// batch that reports them per file), questions take their default answer
// unless --yes was given, and there are no file dialogs.
#include <string>
#include <vector>

#include "document/ui_services.h"

namespace tarnix::cli {

class ConsoleUi : public UiServices {
 public:
  explicit ConsoleUi(bool assumeYes = false, bool keepMessages = false)
      : assumeYes_(assumeYes), keepMessages_(keepMessages) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void UpdateAllViews(unsigned) override {}

  // The file the next messages are about; they then read "tarnix-cli: PATH: text".
  void SetSubject(std::string path) { subject_ = std::move(path); }

  // Whether a question was answered No for want of --yes.
  bool Declined() const { return declined_; }
  // The messages kept instead of printed, in order.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  bool assumeYes_;
  bool keepMessages_;
  std::vector<std::string> messages_;
  std::string subject_;
  bool declined_ = false;
};

}  // namespace tarnix::cli
