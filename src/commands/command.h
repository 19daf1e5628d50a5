#pragma once
// An undoable user edit. Commands are made by the functions of edit_commands.h
// once their edit is done; Undo puts back the state before it and Redo the
// state after it, through the document's operations.
#include <memory>
#include <string>

namespace tarnix {

class Command {
 public:
  explicit Command(std::string name) : name_(std::move(name)) {}
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // What the edit menu calls it ("手动判读", "数字滤波", ...).
  const std::string& Name() const { return name_; }
  virtual void Undo() = 0;
  virtual void Redo() = 0;

 private:
  std::string name_;
};

// Where done edits are kept for undo: the shell's undo stack.
class CommandSink {
 public:
  virtual ~CommandSink() = default;
  virtual void Record(std::unique_ptr<Command> done) = 0;
};

// Keeps a done edit when there is a sink and an edit; without a sink (a pane
// outside the main window) the edit simply stays done.
inline void Record(CommandSink* sink, std::unique_ptr<Command> done) {
  if (sink != nullptr && done != nullptr) sink->Record(std::move(done));
}

}  // namespace tarnix
