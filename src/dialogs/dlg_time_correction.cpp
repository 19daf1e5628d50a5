#include "dialogs/dlg_time_correction.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "document/tarnix_doc.h"
#include "dialogs/channel_dialog_parts.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

// Enter applies in place: once the field has announced it, the key is taken
// here so that it does not also press the dialog's default button.
class ApplyingEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
  }
};

// Channel 2 lies one section after the current one and may not exist.

}  // namespace

void CDlgTimeCorrection::Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent) {
  if (doc.currentSection < 0) {
    doc.Ui().Message("请先打开文件！", MessageButtons::Ok);
    return;
  }
  CDlgTimeCorrection dialog(doc, channel, std::move(repaint), parent);
  dialog.exec();
}

CDlgTimeCorrection::CDlgTimeCorrection(CTarnixDoc& doc, int channel, std::function<void()> repaint,
                                       QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      channel_(channel >= 1 && ChannelCount(doc) == 2 ? 1 : 0),
      repaint_(std::move(repaint)) {
  for (int c = 0; c < ChannelCount(doc); ++c) remembered_[c] = doc.timeCorrection[doc.currentSection + c];

  setWindowTitle(QStringLiteral("声时修正"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  edit_ = new ApplyingEdit;
  edit_->setObjectName(QStringLiteral("correction"));
  edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{1,9}")), edit_));
  edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 24);
  edit_->setText(QString::number(remembered_[channel_]));
  auto* label = new QLabel(QStringLiteral("声时修正值(us)"));
  label->setBuddy(edit_);
  auto* field = new QHBoxLayout;
  field->addWidget(label);
  field->addStretch(1);
  field->addWidget(edit_);

  auto* channels = new QGroupBox(QStringLiteral("通道"));
  channels->setMinimumWidth(240);
  auto* channelRow = new QHBoxLayout(channels);
  QButtonGroup* group = AddChannelChoice(this, channelRow, QStringLiteral("通道一"), QStringLiteral("通道二"), channel_, ChannelCount(doc));

  QHBoxLayout* buttons = OkCancelRow(this);

  auto* main = new QVBoxLayout(this);
  main->addLayout(field);
  main->addWidget(channels);
  main->addSpacing(4);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  connect(edit_, &QLineEdit::returnPressed, this, &CDlgTimeCorrection::Apply);
  connect(group, &QButtonGroup::idClicked, this, &CDlgTimeCorrection::OnChannel);
}

void CDlgTimeCorrection::Apply() {
  doc_.timeCorrection[doc_.currentSection + channel_] = CToInt(edit_->text().toStdString());
  doc_.ApplyChannelFilter(channel_);
  doc_.SetModifiedFlag();
  repaint_();
}

void CDlgTimeCorrection::OnChannel(int channel) {
  channel_ = channel;
  edit_->setText(QString::number(doc_.timeCorrection[doc_.currentSection + channel_]));
}

void CDlgTimeCorrection::accept() {
  Apply();
  QDialog::accept();
}

void CDlgTimeCorrection::reject() {
  for (int c = 0; c < ChannelCount(doc_); ++c) doc_.timeCorrection[doc_.currentSection + c] = remembered_[c];
  doc_.ApplyChannelFilter(channel_);
  doc_.SetModifiedFlag();
  repaint_();
  QDialog::reject();
}

}  // namespace tarnix
