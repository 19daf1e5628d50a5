#pragma once
// Everything the document must ask or tell the user: message boxes, file
// dialogs, the wait cursor, status text, the window title and repaints. The Qt
// shell supplies the real dialogs; tests and the CLI supply scripted answers.
#include <optional>
#include <string>

namespace tarnix {

enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// File dialog flags, as the desktop's common dialogs know them.
enum FileDialogFlag : unsigned {
  kHideReadOnly = 1u << 0,
  kOverwritePrompt = 1u << 1,
  kExplorer = 1u << 2,
  kFileMustExist = 1u << 3,
};

struct FileDialogRequest {
  bool save = false;
  std::string title;
  // "description|pattern|description|pattern||", e.g. "声波结果文件 (*.CHA)|*.CHA||".
  std::string filter;
  std::string proposedName;
  std::string defaultExtension;  // without the dot; empty = none
  unsigned flags = 0;
};

// What a change touched, so that each view repaints only what depends on it.
enum ViewChange : unsigned {
  kChangeCurrent = 1u << 0,   // the current section or point
  kChangePoints = 1u << 1,    // waveforms, picks and what derives from them
  kChangeRange = 1u << 2,     // the evaluated range
  kChangeCriteria = 1u << 3,  // criteria and grades
  kChangeLayers = 1u << 4,    // the layers of both columns and their settings
  kChangeHeader = 1u << 5,    // the project and hole texts
  kChangeAll = ~0u,           // a new or reloaded test
};

class UiServices {
 public:
  virtual ~UiServices() = default;
  // Shows text with the buttons; defaultAnswer is what Enter (or a
  // non-interactive caller) chooses.
  virtual MessageAnswer Message(const std::string& text, MessageButtons buttons,
                                MessageAnswer defaultAnswer = MessageAnswer::Ok) = 0;
  // An OK box with the exclamation icon, for what failed outside the
  // document (an office server that does not start, say).
  virtual void Warning(const std::string& text) { Message(text, MessageButtons::Ok); }
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The document changed; hint says what (ViewChange flags).
  virtual void UpdateAllViews(unsigned hint = kChangeAll) = 0;
};

// Shows the wait cursor for the lifetime of the guard.
class WaitCursor {
 public:
  explicit WaitCursor(UiServices& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
  ~WaitCursor() { ui_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiServices& ui_;
};

}  // namespace tarnix
