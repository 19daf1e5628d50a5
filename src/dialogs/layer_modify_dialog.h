#pragma once
// What the two layer edit dialogs ("测试数据修改", "钻探资料修改") share: the
// layer list, the top and bottom edits, adding and deleting, and the closing
// question. Every edit acts on the document at once; the session is one
// command, and Cancel on closing puts back every list as it was on opening.
#include <QDialog>

#include "commands/edit_commands.h"

class QGridLayout;
class QLineEdit;
class QListWidget;

namespace tarnix {

class LayerModifyDialog : public QDialog {
  Q_OBJECT
 public:
  // Closing the window asks whether to keep the changes.
  void reject() override;

 protected:
  LayerModifyDialog(CTarnixDoc& doc, LayerColumn column, const QString& title, QWidget* parent);
  // Runs the dialog modally and keeps a confirmed session for undo.
  static void RunSession(LayerModifyDialog& dialog, CommandSink* commands);

  const std::vector<float>& Bounds() const;
  int Selected() const;
  void RebuildList();
  void Select(int k);
  // Shows layer k; the log dialog adds its texts and legend.
  virtual void ShowLayer(int k);
  // After "删除层" the log dialog selects differently.
  virtual void AfterDelete();
  // The closing check: each failed pair is told; true when none failed.
  bool CheckBoundaries();
  // Ends the dialog keeping the session.
  void Confirm();

  CTarnixDoc& doc_;
  LayerColumn column_;
  LayerEdit edit_;
  QGridLayout* grid_ = nullptr;  // rows below 3 are the subclass's
  QListWidget* list_ = nullptr;
  QLineEdit* top_ = nullptr;
  QLineEdit* bottom_ = nullptr;
  bool loading_ = false;  // texts set by the dialog are not edits

 private:
  void OnAdd();
  void OnDelete();
  void OnBottomText(const QString& text);
};

}  // namespace tarnix
