#pragma once
// The modal dialog "数字滤波": every change takes effect at once. The two
// cut-off fields stay bound to the channel the dialog was opened on, while the
// radio buttons choose the channel whose flags the boxes set, whose waveforms
// are re-filtered and to which Cancel restores.
#include <QDialog>
#include <array>
#include <functional>

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

  // The command: refuses without an open file, otherwise runs the dialog.
  static void Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent);

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
  ChannelFilter& Entry(int channel);

  CTarnixDoc& doc_;
  ChannelFilter& bound_;
  int target_;
  // Both channels as they were on opening, so Cancel can restore either target.
  std::array<ChannelFilter, 2> remembered_{};
  std::function<void()> repaint_;

  QCheckBox* highPassBox_ = nullptr;
  QCheckBox* lowPassBox_ = nullptr;
  QLineEdit* highPassEdit_ = nullptr;
  QLineEdit* lowPassEdit_ = nullptr;
};

}  // namespace tarnix
