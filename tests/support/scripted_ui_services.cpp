#include "support/scripted_ui_services.h"

#include <algorithm>

namespace tarnix {

MessageAnswer ScriptedUiServices::Message(const std::string& text, MessageButtons buttons,
                                          MessageAnswer defaultAnswer) {
  messages.push_back({text, buttons, defaultAnswer});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return defaultAnswer;
  const MessageAnswer a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::string> ScriptedUiServices::ChooseFile(const FileDialogRequest& request) {
  dialogs.push_back(request);
  if (files.empty()) return std::nullopt;
  std::optional<std::string> f = files.front();
  files.pop_front();
  return f;
}

void ScriptedUiServices::BeginWaitCursor() {
  ++waitDepth;
  maxWaitDepth = std::max(maxWaitDepth, waitDepth);
}

void ScriptedUiServices::EndWaitCursor() { --waitDepth; }

std::vector<std::string> ScriptedUiServices::MessageTexts() const {
  std::vector<std::string> texts;
  for (const MessageCall& m : messages) texts.push_back(m.text);
  return texts;
}

}  // namespace tarnix
