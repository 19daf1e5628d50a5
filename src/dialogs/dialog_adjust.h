#pragma once
// "曲线比例调整": the velocity axis of the Vp-H curve, shown live. The axis and
// the curve's flags are display settings; the velocity criterion that clearing
// "自定义" recomputes is an edit of the test, undone by "取消".
#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "document/display_settings.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;

namespace tarnix {

class CTarnixDoc;
class Command;
class CommandSink;

class CDialogAdjust : public QDialog {
  Q_OBJECT
 public:
  // Opens the dialog on the current pair; without a test the user is told.
  static void Run(CTarnixDoc& doc, std::function<void()> repaint, CommandSink* commands, QWidget* parent);

  CDialogAdjust(CTarnixDoc& doc, std::function<void()> repaint, QWidget* parent = nullptr);
  ~CDialogAdjust() override;

  // The criterion edits made so far, as one list for the undo history.
  std::vector<std::unique_ptr<Command>> TakeEdits();
  // "取消": the axis, the flags and the criterion as they were.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnScale(int position);
  void OnCustom(bool on);
  // Reads the edits and the flags into the display settings and repaints.
  void Apply();

  CTarnixDoc& doc_;
  std::function<void()> repaint_;
  const DisplaySettings remembered_;
  float start0_ = 0.0f;
  float end0_ = 0.0f;
  std::vector<std::unique_ptr<Command>> edits_;
  QCheckBox* showCurve_ = nullptr;
  QScrollBar* scale_ = nullptr;
  QCheckBox* custom_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* end_ = nullptr;
};

}  // namespace tarnix
