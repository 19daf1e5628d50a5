#include "dialogs/left_modify_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "analysis/lithology.h"
#include "document/tarnix_doc.h"
#include "render/legend_bitmap.h"

namespace tarnix {
namespace {
constexpr int kLegendBox = 64;  // pixels
}

CleftModifyDlg::CleftModifyDlg(CTarnixDoc& doc, QWidget* parent)
    : LayerModifyDialog(doc, LayerColumn::Log, QStringLiteral("钻探资料修改"), parent) {
  lithology_ = new QComboBox;
  lithology_->setObjectName(QStringLiteral("lithology"));
  for (const char* name : kLithologyNames) lithology_->addItem(QString::fromUtf8(name));
  lithology_->setCurrentIndex(0);
  legend_ = new QLabel;
  legend_->setObjectName(QStringLiteral("legend"));
  legend_->setFixedSize(kLegendBox, kLegendBox);
  legend_->setScaledContents(true);
  legend_->setStyleSheet(QStringLiteral("background: white"));
  describe_ = new QPlainTextEdit;
  describe_->setObjectName(QStringLiteral("describe"));
  auto* apply = new QPushButton(QStringLiteral("应用"));
  apply->setObjectName(QStringLiteral("apply"));
  apply->setAutoDefault(false);
  auto* ok = new QPushButton(QStringLiteral("确定"));
  ok->setObjectName(QStringLiteral("ok"));
  ok->setAutoDefault(false);

  grid_->addWidget(lithology_, 3, 1);
  grid_->addWidget(legend_, 3, 2);
  grid_->addWidget(new QLabel(QStringLiteral("岩性描述")), 4, 0);
  grid_->addWidget(describe_, 5, 0, 1, 3);
  grid_->addWidget(apply, 6, 1);
  grid_->addWidget(ok, 6, 2);
  EnableLayerEdits(false);

  connect(describe_, &QPlainTextEdit::textChanged, this, [this] {
    if (!loading_) doc_.SetLayerDescription(Selected(), describe_->toPlainText().toStdString());
  });
  connect(lithology_, &QComboBox::activated, this, [this](int i) {
    const std::string name = lithology_->itemText(i).toStdString();
    doc_.SetLayerLithology(Selected(), name);
    ShowLegend(name);
  });
  // The report repaints from the document, which the edits already told.
  connect(apply, &QPushButton::clicked, this, [this] { CheckBoundaries(); });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (CheckBoundaries()) Confirm();
  });
}

void CleftModifyDlg::Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent) {
  CleftModifyDlg dialog(doc, parent);
  RunSession(dialog, commands);
}

void CleftModifyDlg::EnableLayerEdits(bool on) {
  bottom_->setEnabled(on);
  describe_->setEnabled(on);
  lithology_->setEnabled(on);
}

void CleftModifyDlg::ShowLegend(const std::string& picName) {
  const QImage image = LoadLegend(picName);
  if (image.isNull()) {
    legend_->clear();
  } else {
    legend_->setPixmap(QPixmap::fromImage(image));
  }
}

void CleftModifyDlg::ShowLayer(int k) {
  LayerModifyDialog::ShowLayer(k);
  const LayerSet& l = doc_.Layers();
  const auto i = static_cast<size_t>(k);
  if (k < 0 || i >= l.depth.size()) return;
  EnableLayerEdits(true);
  loading_ = true;
  describe_->setPlainText(i < l.describe.size() ? QString::fromStdString(l.describe[i]) : QString());
  const std::string picName = i < l.picName.size() ? l.picName[i] : std::string();
  lithology_->setCurrentIndex(lithology_->findText(QString::fromStdString(picName), Qt::MatchExactly));
  loading_ = false;
  ShowLegend(picName);
}

void CleftModifyDlg::AfterDelete() {
  loading_ = true;
  describe_->clear();
  lithology_->setCurrentIndex(0);
  loading_ = false;
  legend_->clear();
  LayerModifyDialog::AfterDelete();
  if (Bounds().size() > 1) {
    // The last layer is shown, but nothing is edited until a layer is chosen.
    Select(static_cast<int>(Bounds().size()) - 1);
    EnableLayerEdits(false);
  } else if (Bounds().empty()) {
    EnableLayerEdits(false);
  }
}

}  // namespace tarnix
