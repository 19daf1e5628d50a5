#include "dialogs/dlg_filter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "document/tarnix_doc.h"
#include "dialogs/channel_dialog_parts.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

const QString kTitle = QStringLiteral("数字滤波");
const QString kHighPassRange = QStringLiteral("高通范围为0.01-20kHz");
const QString kLowPassRange = QStringLiteral("低通范围为2-500kHz");
const QString kOrder = QStringLiteral("高通值必须小于低通值");

// The fields are read as the C library reads a decimal number, from at most
// this many characters.
constexpr int kFieldChars = 19;

float FieldNumber(const QString& text) {
  const double v = CToFloat(text.left(kFieldChars).toStdString());
  // "nan" would slip through every range check.
  return std::isfinite(v) ? static_cast<float>(v) : 0.0f;
}

QString HighPassText(float kHz) { return QString::fromStdString(CFormat("%.2f", kHz)); }
QString LowPassText(float kHz) { return QString::fromStdString(CFormat("%.0f", kHz)); }

QLineEdit* CutOffEdit(const QString& text, const char* name) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(QLatin1String(name));
  edit->setMaxLength(kFieldChars);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) + 24);
  return edit;
}

// Channel 2 lies one section after the current one and may not exist.
int OpenedChannel(const CTarnixDoc& doc, int channel) { return channel >= 1 && ChannelCount(doc) == 2 ? 1 : 0; }

}  // namespace

void CDlgFilter::Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, CommandSink* commands,
                     QWidget* parent) {
  if (doc.CurrentSection() < 0) {
    doc.Ui().Message("请先打开文件再进行滤波!", MessageButtons::Ok);
    return;
  }
  CDlgFilter dialog(doc, channel, std::move(repaint), parent);
  if (dialog.exec() == QDialog::Accepted) Record(commands, dialog.edit_.Finish());
}

CDlgFilter::CDlgFilter(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      bound_(doc.CurrentSection() + OpenedChannel(doc, channel)),
      target_(OpenedChannel(doc, channel)),
      repaint_(std::move(repaint)),
      edit_(doc, "数字滤波") {
  const ChannelFilter& bound = doc.Filter(bound_);

  setWindowTitle(kTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  highPassBox_ = new QCheckBox(QStringLiteral("高通(kHz)"));
  highPassBox_->setObjectName(QStringLiteral("highPass"));
  highPassBox_->setChecked(bound.highPassOn);
  lowPassBox_ = new QCheckBox(QStringLiteral("低通(kHz)"));
  lowPassBox_->setObjectName(QStringLiteral("lowPass"));
  lowPassBox_->setChecked(bound.lowPassOn);
  highPassEdit_ = CutOffEdit(HighPassText(bound.highPassKHz), "highPassEdit");
  highPassEdit_->setEnabled(bound.highPassOn);
  lowPassEdit_ = CutOffEdit(LowPassText(bound.lowPassKHz), "lowPassEdit");
  lowPassEdit_->setEnabled(bound.lowPassOn);

  auto* cutOffs = new QGroupBox;
  // Wide enough for the longest validation title in the title bar.
  cutOffs->setMinimumWidth(280);
  auto* grid = new QGridLayout(cutOffs);
  grid->setHorizontalSpacing(16);
  grid->addWidget(highPassBox_, 0, 0);
  grid->addWidget(highPassEdit_, 0, 1);
  grid->addWidget(lowPassBox_, 1, 0);
  grid->addWidget(lowPassEdit_, 1, 1);
  grid->setColumnStretch(0, 1);

  auto* channels = new QGroupBox;
  auto* channelRow = new QHBoxLayout(channels);
  QButtonGroup* group = AddChannelChoice(this, channelRow, QStringLiteral("通道1"), QStringLiteral("通道2"), target_, ChannelCount(doc));

  QHBoxLayout* buttons = OkCancelRow(this);

  auto* main = new QVBoxLayout(this);
  main->addWidget(cutOffs);
  main->addWidget(channels);
  main->addSpacing(4);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  // Connected after the initial values are shown, so opening applies nothing.
  connect(highPassBox_, &QCheckBox::toggled, this, &CDlgFilter::OnHighPassBox);
  connect(lowPassBox_, &QCheckBox::toggled, this, &CDlgFilter::OnLowPassBox);
  connect(highPassEdit_, &QLineEdit::textChanged, this, &CDlgFilter::OnHighPassText);
  connect(lowPassEdit_, &QLineEdit::textChanged, this, &CDlgFilter::OnLowPassText);
  connect(group, &QButtonGroup::idClicked, this, &CDlgFilter::OnTarget);
}

void CDlgFilter::Store(int section, const std::function<void(ChannelFilter&)>& change) {
  ChannelFilter f = doc_.Filter(section);
  change(f);
  doc_.SetFilter(section, f, false);
}

void CDlgFilter::Apply() {
  const int section = doc_.CurrentSection() + target_;
  doc_.SetFilter(section, doc_.Filter(section));
  repaint_();
}

void CDlgFilter::OnHighPassBox(bool on) {
  highPassEdit_->setEnabled(on);
  Store(doc_.CurrentSection() + target_, [on](ChannelFilter& f) { f.highPassOn = on; });
  if (on) {
    OnHighPassText(highPassEdit_->text());
  } else {
    Apply();
  }
}

void CDlgFilter::OnLowPassBox(bool on) {
  lowPassEdit_->setEnabled(on);
  Store(doc_.CurrentSection() + target_, [on](ChannelFilter& f) { f.lowPassOn = on; });
  Apply();
}

void CDlgFilter::OnHighPassText(const QString& text) {
  const float kHz = FieldNumber(text);
  Store(bound_, [kHz](ChannelFilter& f) { f.highPassKHz = kHz; });
  if (kHz > 20.0f || kHz < 0.0099995f) {
    setWindowTitle(kHighPassRange);
  } else if (kHz > doc_.Filter(bound_).lowPassKHz) {
    setWindowTitle(kOrder);
  } else {
    setWindowTitle(kTitle);
    if (!text.isEmpty()) Apply();
  }
}

void CDlgFilter::OnLowPassText(const QString& text) {
  const float kHz = FieldNumber(text);
  Store(bound_, [kHz](ChannelFilter& f) { f.lowPassKHz = kHz; });
  if (kHz > 500.0f || kHz < 2.0f) {
    setWindowTitle(kLowPassRange);
  } else if (kHz < doc_.Filter(bound_).highPassKHz) {
    setWindowTitle(kOrder);
  } else {
    setWindowTitle(kTitle);
    if (!text.isEmpty()) Apply();
  }
}

void CDlgFilter::OnTarget(int channel) {
  target_ = channel;
  Apply();
}

void CDlgFilter::accept() {
  // Stored once more without validation: a refused value is kept as typed.
  const float high = FieldNumber(highPassEdit_->text());
  const float low = FieldNumber(lowPassEdit_->text());
  Store(bound_, [high, low](ChannelFilter& f) {
    f.highPassKHz = high;
    f.lowPassKHz = low;
  });
  QDialog::accept();
}

void CDlgFilter::reject() {
  // Every channel the dialog touched, as it was on opening.
  edit_.Cancel();
  repaint_();
  QDialog::reject();
}

}  // namespace tarnix
