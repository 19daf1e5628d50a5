#include "platform/automation/recording_dispatch.h"

#include <utility>

#include "base/c_text.h"

namespace tarnix::automation {
namespace {

std::string Line(const std::string& name, const char* kind, int member, const Args& args) {
  std::string text = name + "." + kind + CFormat(" %d(", member);
  for (size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + Describe(args[i]);
  return text + ")";
}

}  // namespace

RecordingDispatch::RecordingDispatch(std::shared_ptr<RecordingLog> log, std::string name)
    : log_(std::move(log)), name_(std::move(name)) {}

Variant RecordingDispatch::Answer(const char* kind, int member, const Args& args) {
  log_->lines.push_back(Line(name_, kind, member, args));
  if (log_->failing.count(member)) return {};
  return DispatchPtr(std::make_shared<RecordingDispatch>(log_, name_ + CFormat(".%d", member)));
}

Variant RecordingDispatch::Get(int member, const Args& args) { return Answer("get", member, args); }
Variant RecordingDispatch::Call(int member, const Args& args) { return Answer("call", member, args); }

bool RecordingDispatch::Put(int member, const Args& args, const Variant& value) {
  log_->lines.push_back(Line(name_, "put", member, args) + " = " + Describe(value));
  return true;
}

DispatchPtr RecordingFactory::Create(const std::string& prog_id) {
  log->lines.push_back("create " + prog_id);
  if (missing.count(prog_id)) return nullptr;
  return std::make_shared<RecordingDispatch>(log, "app");
}

}  // namespace tarnix::automation
