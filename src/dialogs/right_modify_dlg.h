#pragma once
// "测试数据修改": the test-result layers' boundaries, edited live.
#include "dialogs/layer_modify_dialog.h"

namespace tarnix {

class CrightModifyDlg : public LayerModifyDialog {
  Q_OBJECT
 public:
  explicit CrightModifyDlg(CTarnixDoc& doc, QWidget* parent = nullptr);
  static void Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent);
};

}  // namespace tarnix
