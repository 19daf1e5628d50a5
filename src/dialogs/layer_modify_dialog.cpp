#include "dialogs/layer_modify_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "base/c_text.h"
#include "document/tarnix_doc.h"

namespace tarnix {

LayerModifyDialog::LayerModifyDialog(CTarnixDoc& doc, LayerColumn column, const QString& title, QWidget* parent)
    : QDialog(parent), doc_(doc), column_(column), edit_(doc, title.toStdString()) {
  setWindowTitle(title);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("layers"));
  top_ = new QLineEdit;
  top_->setObjectName(QStringLiteral("top"));
  top_->setReadOnly(true);
  top_->setEnabled(false);
  bottom_ = new QLineEdit;
  bottom_->setObjectName(QStringLiteral("bottom"));
  bottom_->setEnabled(false);
  auto* add = new QPushButton(QStringLiteral("添加层"));
  add->setObjectName(QStringLiteral("add"));
  add->setAutoDefault(false);
  auto* remove = new QPushButton(QStringLiteral("删除层"));
  remove->setObjectName(QStringLiteral("remove"));
  remove->setAutoDefault(false);

  grid_ = new QGridLayout(this);
  grid_->addWidget(list_, 0, 0, 4, 1);
  grid_->addWidget(new QLabel(QStringLiteral("分层开始")), 0, 1);
  grid_->addWidget(top_, 0, 2);
  grid_->addWidget(new QLabel(QStringLiteral("分层结束")), 1, 1);
  grid_->addWidget(bottom_, 1, 2);
  grid_->addWidget(add, 2, 1);
  grid_->addWidget(remove, 2, 2);
  RebuildList();

  connect(list_, &QListWidget::currentRowChanged, this, [this](int k) {
    if (!loading_ && k >= 0) ShowLayer(k);
  });
  connect(bottom_, &QLineEdit::textChanged, this, &LayerModifyDialog::OnBottomText);
  connect(add, &QPushButton::clicked, this, &LayerModifyDialog::OnAdd);
  connect(remove, &QPushButton::clicked, this, &LayerModifyDialog::OnDelete);
}

void LayerModifyDialog::RunSession(LayerModifyDialog& dialog, CommandSink* commands) {
  if (dialog.exec() == QDialog::Accepted) Record(commands, dialog.edit_.Finish());
}

const std::vector<float>& LayerModifyDialog::Bounds() const {
  return column_ == LayerColumn::Result ? doc_.Layers().height : doc_.Layers().depth;
}

int LayerModifyDialog::Selected() const { return list_->currentRow(); }

void LayerModifyDialog::RebuildList() {
  loading_ = true;
  list_->clear();
  for (size_t i = 0; i < Bounds().size(); ++i) list_->addItem(QStringLiteral("分层%1").arg(i + 1));
  loading_ = false;
}

void LayerModifyDialog::Select(int k) {
  list_->setCurrentRow(k);
  if (k >= 0) ShowLayer(k);
}

void LayerModifyDialog::ShowLayer(int k) {
  if (k < 0 || static_cast<size_t>(k) >= Bounds().size()) return;
  loading_ = true;
  bottom_->setEnabled(true);
  top_->setText(QString::fromStdString(CFormat("%.2f", LayerTop(Bounds(), k, doc_.MinValidDepth()))));
  bottom_->setText(QString::fromStdString(CFormat("%.2f", Bounds()[static_cast<size_t>(k)])));
  loading_ = false;
}

void LayerModifyDialog::AfterDelete() {
  if (Bounds().size() == 1) {
    Select(0);
  } else if (Bounds().empty()) {
    loading_ = true;
    top_->clear();
    bottom_->clear();
    loading_ = false;
    bottom_->setEnabled(false);
  }
}

void LayerModifyDialog::OnBottomText(const QString& text) {
  if (loading_) return;
  doc_.SetLayerBottom(column_, Selected(), static_cast<float>(CToFloat(text.toStdString())));
}

void LayerModifyDialog::OnAdd() {
  const float typed = static_cast<float>(CToFloat(bottom_->text().toStdString()));
  const int k = doc_.AddLayerInDialog(column_, Selected(), typed);
  if (k < 0) return;
  RebuildList();
  Select(k);
}

void LayerModifyDialog::OnDelete() {
  const int k = Selected();
  if (k < 0) return;
  doc_.RemoveLayer(column_, k);
  RebuildList();
  AfterDelete();
}

bool LayerModifyDialog::CheckBoundaries() {
  const std::vector<std::string> messages = tarnix::CheckBoundaries(Bounds());
  for (const std::string& m : messages) doc_.Ui().Message(m, MessageButtons::OkCancel);
  return messages.empty();
}

void LayerModifyDialog::Confirm() {
  if (column_ == LayerColumn::Result) doc_.RecalcLayers();
  QDialog::accept();
}

void LayerModifyDialog::reject() {
  if (doc_.Ui().Message("是否要保存此次修改？", MessageButtons::OkCancel) == MessageAnswer::Ok) {
    if (CheckBoundaries()) Confirm();
    return;
  }
  edit_.Cancel();
  QDialog::reject();
}

}  // namespace tarnix
