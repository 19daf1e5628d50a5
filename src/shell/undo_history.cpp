#include "shell/undo_history.h"

#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

// A done edit on the stack: the push's own redo() finds it already done.
class StackEntry : public QUndoCommand {
 public:
  explicit StackEntry(std::unique_ptr<Command> command)
      : QUndoCommand(QString::fromStdString(command->Name())), command_(std::move(command)) {}
  void undo() override { command_->Undo(); }
  void redo() override {
    if (done_) command_->Redo();
    done_ = true;
  }

 private:
  std::unique_ptr<Command> command_;
  bool done_ = false;
};

// Enough to walk back a working session; each entry holds at most the
// sections it changed.
constexpr int kUndoLimit = 100;

}  // namespace

UndoHistory::UndoHistory(CTarnixDoc& doc, QObject* parent) : doc_(doc), stack_(new QUndoStack(parent)) {
  stack_->setUndoLimit(kUndoLimit);
  QObject::connect(stack_, &QUndoStack::cleanChanged, stack_, [this](bool clean) {
    if (clean) doc_.SetModifiedFlag(false);
  });
  seenOpenCount_ = doc_.OpenCount();
}

UndoHistory::~UndoHistory() {
  QObject::disconnect(stack_, nullptr, nullptr, nullptr);
  delete stack_;
}

void UndoHistory::Record(std::unique_ptr<Command> done) { stack_->push(new StackEntry(std::move(done))); }

void UndoHistory::AfterDocumentCommand() {
  if (doc_.OpenCount() != seenOpenCount_) {
    seenOpenCount_ = doc_.OpenCount();
    stack_->clear();
  }
  if (!doc_.IsModified()) stack_->setClean();
}

}  // namespace tarnix
