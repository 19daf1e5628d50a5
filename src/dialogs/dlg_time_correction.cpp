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

void CDlgTimeCorrection::Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, CommandSink* commands,
                             QWidget* parent) {
  if (doc.CurrentSection() < 0) {
    doc.Ui().Message("请先打开文件！", MessageButtons::Ok);
    return;
  }
  CDlgTimeCorrection dialog(doc, channel, std::move(repaint), parent);
  if (dialog.exec() == QDialog::Accepted) Record(commands, dialog.edit_.Finish());
}

CDlgTimeCorrection::CDlgTimeCorrection(CTarnixDoc& doc, int channel, std::function<void()> repaint,
                                       QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      channel_(channel >= 1 && ChannelCount(doc) == 2 ? 1 : 0),
      repaint_(std::move(repaint)),
      edit_(doc, "声时修正") {

  setWindowTitle(QStringLiteral("声时修正"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  field_ = new ApplyingEdit;
  field_->setObjectName(QStringLiteral("correction"));
  field_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{1,9}")), field_));
  field_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  field_->setFixedWidth(field_->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 24);
  field_->setText(QString::number(doc.TimeCorrection(doc.CurrentSection() + channel_)));
  auto* label = new QLabel(QStringLiteral("声时修正值(us)"));
  label->setBuddy(field_);
  auto* field = new QHBoxLayout;
  field->addWidget(label);
  field->addStretch(1);
  field->addWidget(field_);

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

  connect(field_, &QLineEdit::returnPressed, this, &CDlgTimeCorrection::Apply);
  connect(group, &QButtonGroup::idClicked, this, &CDlgTimeCorrection::OnChannel);
}

void CDlgTimeCorrection::Apply() {
  doc_.SetTimeCorrection(doc_.CurrentSection() + channel_, CToInt(field_->text().toStdString()));
  repaint_();
}

void CDlgTimeCorrection::OnChannel(int channel) {
  channel_ = channel;
  field_->setText(QString::number(doc_.TimeCorrection(doc_.CurrentSection() + channel_)));
}

void CDlgTimeCorrection::accept() {
  Apply();
  QDialog::accept();
}

void CDlgTimeCorrection::reject() {
  edit_.Cancel();
  repaint_();
  QDialog::reject();
}

}  // namespace tarnix
