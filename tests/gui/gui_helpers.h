#pragma once
// What the widget tests share: finding a named control, and a command sink
// that keeps the done edits for undoing them.
#include <gtest/gtest.h>

#include <QObject>
#include <memory>
#include <vector>

#include "commands/command.h"

namespace tarnix::test {

// A named child of a window under test; a missing one fails the test.
template <typename T>
T* FindNamed(const QObject* window, const char* name) {
  T* w = window->findChild<T*>(QLatin1String(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

struct RecordingSink : CommandSink {
  std::vector<std::unique_ptr<Command>> done;
  void Record(std::unique_ptr<Command> c) override { done.push_back(std::move(c)); }
  // Undoes every kept edit, the last first.
  void UndoAll() {
    for (auto it = done.rbegin(); it != done.rend(); ++it) (*it)->Undo();
  }
};

}  // namespace tarnix::test
