#pragma once
// "修改截取范围": moves one end of the evaluated range to a typed height.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarnix {

class CTarnixDoc;
class CommandSink;

class CDlgModifyRange : public QDialog {
  Q_OBJECT
 public:
  // upper: the upper slider, the shallow end of the range (lastIndex);
  // otherwise the lower slider (firstIndex). The height is checked against the
  // section sectionIndex and written into every section in use.
  // The change is kept in commands for undo when given.
  CDlgModifyRange(CTarnixDoc& doc, int sectionIndex, bool upper, CommandSink* commands = nullptr,
                  QWidget* parent = nullptr);

  QLineEdit* HeightEdit() const { return height_; }
  QPushButton* ConfirmButton() const { return confirm_; }

 private:
  // "确定修改": closes only when the new end was written.
  void OnConfirm();

  CTarnixDoc& doc_;
  CommandSink* commands_;
  int section_;
  bool upper_;
  QLineEdit* height_ = nullptr;
  QPushButton* confirm_ = nullptr;
};

}  // namespace tarnix
