#include "dialogs/dlg_modify_range.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "commands/edit_commands.h"
#include "document/tarnix_doc.h"

namespace tarnix {

CDlgModifyRange::CDlgModifyRange(CTarnixDoc& doc, int sectionIndex, bool upper, CommandSink* commands,
                                 QWidget* parent)
    : QDialog(parent), doc_(doc), commands_(commands), section_(sectionIndex), upper_(upper) {
  setWindowTitle(QStringLiteral("修改截取范围"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(upper ? QStringLiteral("请输入上滑块截取的高度值") : QStringLiteral("请输入下滑块截取的高度值")),
                  0, 0, 1, 2);
  height_ = new QLineEdit;
  height_->setObjectName("height");
  grid->addWidget(height_, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("m")), 1, 1);
  confirm_ = new QPushButton(QStringLiteral("确定修改"));
  confirm_->setObjectName("confirm");
  confirm_->setDefault(true);
  grid->addWidget(confirm_, 2, 0, 1, 2, Qt::AlignRight);
  connect(confirm_, &QPushButton::clicked, this, &CDlgModifyRange::OnConfirm);

  // Starts with the depth of the end being moved.
  if (section_ >= 0 && section_ < kSectionCount) {
    const SectionRecord& s = doc_.Section(section_);
    if (const CSamNode* p = s.PointAt(upper_ ? s.lastIndex : s.firstIndex)) {
      height_->setText(QString::number(p->sourL, 'f', 2));
    }
  }
  height_->selectAll();
}

void CDlgModifyRange::OnConfirm() {
  if (section_ < 0 || section_ >= kSectionCount) return;
  const SectionRecord& s = doc_.Section(section_);
  bool number = false;
  const float height = height_->text().trimmed().toFloat(&number);
  if (!number || height < 0.0f || height > doc_.Header().pileLen) {
    doc_.Ui().Message("高度超出桩长范围", MessageButtons::Ok);
    return;
  }
  // Points run from the bottom of the hole upward at the regular spacing.
  const int count = s.PointCount();
  const float move = doc_.Header().move;
  const int index = move > 0.0f ? static_cast<int>(static_cast<float>(count) - height / move - 1.0f) : -1;
  const int first = upper_ ? s.firstIndex : index;
  const int last = upper_ ? index : s.lastIndex;
  if (index < 0 || index >= count || last - first < 9) {
    doc_.Ui().Message("请确定区间的间隔点不少于１０个，并且上滑块在下滑块之上", MessageButtons::Ok);
    return;
  }
  std::unique_ptr<Command> edit = ChangeRange(doc_, first, last);
  if (edit == nullptr) return;
  Record(commands_, std::move(edit));
  accept();
}

}  // namespace tarnix
