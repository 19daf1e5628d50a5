#include "cli/console_ui.h"

#include <cstdio>

namespace tarnix::cli {

MessageAnswer ConsoleUi::Message(const std::string& text, MessageButtons buttons, MessageAnswer defaultAnswer) {
  if (keepMessages_) {
    messages_.push_back(text);
  } else {
    std::fprintf(stderr, "tarnix-cli: %s%s%s\n", subject_.c_str(), subject_.empty() ? "" : ": ", text.c_str());
  }
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (assumeYes_) return MessageAnswer::Yes;
  if (defaultAnswer != MessageAnswer::Yes) {
    declined_ = true;
    std::fprintf(stderr, "tarnix-cli: not confirmed; pass --yes to proceed\n");
  }
  return defaultAnswer;
}

}  // namespace tarnix::cli
