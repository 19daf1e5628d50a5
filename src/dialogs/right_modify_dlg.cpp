#include "dialogs/right_modify_dlg.h"

namespace tarnix {

CrightModifyDlg::CrightModifyDlg(CTarnixDoc& doc, QWidget* parent)
    : LayerModifyDialog(doc, LayerColumn::Result, QStringLiteral("测试数据修改"), parent) {}

void CrightModifyDlg::Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent) {
  CrightModifyDlg dialog(doc, parent);
  RunSession(dialog, commands);
}

}  // namespace tarnix
