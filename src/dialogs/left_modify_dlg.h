#pragma once
// "钻探资料修改": the drilling-log layers with their lithology, legend and
// description, edited live.
#include "dialogs/layer_modify_dialog.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace tarnix {

class CleftModifyDlg : public LayerModifyDialog {
  Q_OBJECT
 public:
  explicit CleftModifyDlg(CTarnixDoc& doc, QWidget* parent = nullptr);
  static void Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent);

 protected:
  void ShowLayer(int k) override;
  void AfterDelete() override;

 private:
  void ShowLegend(const std::string& picName);
  void EnableLayerEdits(bool on);

  QComboBox* lithology_ = nullptr;
  QLabel* legend_ = nullptr;
  QPlainTextEdit* describe_ = nullptr;
};

}  // namespace tarnix
