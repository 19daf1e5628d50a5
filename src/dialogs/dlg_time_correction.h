#pragma once
// The modal dialog "声时修正": Enter in the field applies the correction to the
// chosen channel and keeps the dialog open; "确定" applies and closes; "取消"
// brings back both channels' corrections as they were on opening.
#include <QDialog>
#include <functional>

#include "commands/edit_commands.h"

class QLineEdit;

namespace tarnix {

class CTarnixDoc;

class CDlgTimeCorrection : public QDialog {
  Q_OBJECT
 public:
  // channel: 0 for the channel-1 pane (the current section), 1 for channel 2.
  // repaint: repaints the three panes after each application.
  CDlgTimeCorrection(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent = nullptr);

  // The command: refuses without an open file, otherwise runs the dialog and
  // keeps a confirmed change in commands for undo.
  static void Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, CommandSink* commands,
                  QWidget* parent);

  void accept() override;
  // Escape and the window's close button cancel as "取消" does.
  void reject() override;

 private:
  void Apply();
  void OnChannel(int channel);

  CTarnixDoc& doc_;
  int channel_;
  std::function<void()> repaint_;
  ChannelEdit edit_;
  QLineEdit* field_ = nullptr;
};

}  // namespace tarnix
