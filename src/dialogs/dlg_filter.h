#pragma once
// The modal dialog "数字滤波": every change takes effect at once. The two
// cut-off fields stay bound to the channel the dialog was opened on, while the
// radio buttons choose the channel whose flags the boxes set, whose waveforms
// are re-filtered. Cancel restores both channels as they were on opening.
#include <QDialog>
#include <functional>

#include "commands/edit_commands.h"
#include "processing/channel_filter.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tarnix {

class CTarnixDoc;

class CDlgFilter : public QDialog {
  Q_OBJECT
 public:
  // channel: 0 for the channel-1 pane (the current section), 1 for channel 2.
  // repaint: repaints the three panes after each application.
  CDlgFilter(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent = nullptr);

  // The command: refuses without an open file, otherwise runs the dialog and
  // keeps a confirmed change in commands for undo.
  static void Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, CommandSink* commands,
                  QWidget* parent);

  void accept() override;
  // Escape and the window's close button cancel as "取消" does.
  void reject() override;

 private:
  void OnHighPassBox(bool on);
  void OnLowPassBox(bool on);
  void OnHighPassText(const QString& text);
  void OnLowPassText(const QString& text);
  void OnTarget(int channel);
  void Apply();
  // Changes a section's stored settings without re-filtering.
  void Store(int section, const std::function<void(ChannelFilter&)>& change);

  CTarnixDoc& doc_;
  int bound_;  // the section whose cut-offs the fields edit
  int target_;
  std::function<void()> repaint_;
  ChannelEdit edit_;

  QCheckBox* highPassBox_ = nullptr;
  QCheckBox* lowPassBox_ = nullptr;
  QLineEdit* highPassEdit_ = nullptr;
  QLineEdit* lowPassEdit_ = nullptr;
};

}  // namespace tarnix
