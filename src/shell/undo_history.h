#pragma once
// The undo history of the main window: the document's edits on a QUndoStack.
// Saving marks the clean state; undoing or redoing back to it clears the
// document's modified flag.
#include <QUndoStack>
#include <memory>

#include "commands/command.h"

namespace tarnix {

class CTarnixDoc;

class UndoHistory : public CommandSink {
 public:
  UndoHistory(CTarnixDoc& doc, QObject* parent);
  // The stack goes with the history: a stack outliving it would report its
  // clean state to a history that is gone.
  ~UndoHistory() override;
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;
  void Record(std::unique_ptr<Command> done) override;
  // After a document command: a new or reopened test starts a fresh history,
  // and an unmodified document is the clean state.
  void AfterDocumentCommand();
  QUndoStack* Stack() { return stack_; }

 private:
  CTarnixDoc& doc_;
  QUndoStack* stack_;
  unsigned seenOpenCount_ = 0;
};

}  // namespace tarnix
