#include "dialogs/layer_parameter_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "base/c_text.h"
#include "commands/edit_commands.h"
#include "document/tarnix_doc.h"

namespace tarnix {

LayerParameterDlg::LayerParameterDlg(CTarnixDoc& doc, int way, const QString& firstBox, CommandSink* commands,
                                     QWidget* parent)
    : QDialog(parent), doc_(doc), way_(way), commands_(commands) {
  setWindowTitle(way == 1 ? QStringLiteral("计算方式一") : QStringLiteral("计算方式二"));
  const QString boxes[] = {firstBox, QStringLiteral("芯样密度"), QStringLiteral("岩块波速")};
  const QString units[] = {way == 1 ? QStringLiteral("m/s") : QString(), QStringLiteral("kg/m3"),
                           QStringLiteral("m/s")};
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 3; ++i) {
    boxes_[i] = new QCheckBox(boxes[i]);
    boxes_[i]->setObjectName(QStringLiteral("tag%1").arg(i + 1));
    edits_[i] = new QLineEdit;
    edits_[i]->setObjectName(QStringLiteral("value%1").arg(i + 1));
    grid->addWidget(boxes_[i], i, 0);
    grid->addWidget(edits_[i], i, 1);
    grid->addWidget(new QLabel(units[i]), i, 2);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i](bool on) { OnBox(i + 1, on); });
    connect(edits_[i], &QLineEdit::returnPressed, this, &LayerParameterDlg::OnEnter);
  }
  ShowLayer();
}

void LayerParameterDlg::RunDialog(LayerParameterDlg& dialog) { dialog.exec(); }

void LayerParameterDlg::ShowLayer() {
  const LayerSet& l = doc_.Layers();
  const LayerParameters p = ParametersOf(l, doc_.SelectedLayer());
  const int32_t tags[] = {l.m_tag1, l.m_tag2, l.m_tag3};
  edits_[0]->setText(way_ == 1 ? QString::number(p.shearVelocity)
                               : QString::fromStdString(CFormat("%g", p.poisson)));
  edits_[1]->setText(QString::fromStdString(CFormat("%g", p.density)));
  edits_[2]->setText(QString::number(p.blockVelocity));
  for (int i = 0; i < 3; ++i) boxes_[i]->setChecked(tags[i] == 1);
  EnableInputs(inputsOn_);
}

std::array<int32_t, 3> LayerParameterDlg::Tags() const {
  return {boxes_[0]->isChecked() ? 1 : 0, boxes_[1]->isChecked() ? 1 : 0, boxes_[2]->isChecked() ? 1 : 0};
}

void LayerParameterDlg::EnableInputs(bool on) {
  inputsOn_ = on;
  for (int i = 0; i < 3; ++i) {
    boxes_[i]->setEnabled(on);
    edits_[i]->setEnabled(on && boxes_[i]->isChecked());
  }
}

void LayerParameterDlg::OnBox(int tag, bool on) {
  edits_[tag - 1]->setEnabled(on);
  Record(commands_, ChangeLayerTag(doc_, way_, tag, on));
}

void LayerParameterDlg::OnEnter() {
  auto number = [](const QLineEdit* e) { return CToFloat(e->text().toStdString()); };
  LayerParameters p;
  if (way_ == 1) {
    p.shearVelocity = static_cast<int>(number(edits_[0]));
  } else {
    p.poisson = static_cast<float>(number(edits_[0]));
  }
  p.density = static_cast<float>(number(edits_[1]));
  p.blockVelocity = static_cast<int>(number(edits_[2]));
  Record(commands_, EnterParametersCommand(doc_, way_, p, Tags()));
}

CWayoneDlg::CWayoneDlg(CTarnixDoc& doc, CommandSink* commands, QWidget* parent)
    : LayerParameterDlg(doc, 1, QStringLiteral("平均横速"), commands, parent) {}

void CWayoneDlg::Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent) {
  CWayoneDlg dialog(doc, commands, parent);
  RunDialog(dialog);
}

CWaytwoDlg::CWaytwoDlg(CTarnixDoc& doc, CommandSink* commands, QWidget* parent)
    : LayerParameterDlg(doc, 0, QStringLiteral("动泊松比"), commands, parent) {}

void CWaytwoDlg::Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent) {
  CWaytwoDlg dialog(doc, commands, parent);
  RunDialog(dialog);
}

}  // namespace tarnix
