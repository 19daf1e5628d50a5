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

void CDlgFilter::Run(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent) {
  if (doc.currentSection < 0) {
    doc.Ui().Message("请先打开文件再进行滤波!", MessageButtons::Ok);
    return;
  }
  CDlgFilter dialog(doc, channel, std::move(repaint), parent);
  dialog.exec();
}

CDlgFilter::CDlgFilter(CTarnixDoc& doc, int channel, std::function<void()> repaint, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      bound_(doc.filters[doc.currentSection + OpenedChannel(doc, channel)]),
      target_(OpenedChannel(doc, channel)),
      repaint_(std::move(repaint)) {
  for (int c = 0; c < ChannelCount(doc); ++c) remembered_[c] = Entry(c);

  setWindowTitle(kTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  highPassBox_ = new QCheckBox(QStringLiteral("高通(kHz)"));
  highPassBox_->setObjectName(QStringLiteral("highPass"));
  highPassBox_->setChecked(bound_.highPassOn);
  lowPassBox_ = new QCheckBox(QStringLiteral("低通(kHz)"));
  lowPassBox_->setObjectName(QStringLiteral("lowPass"));
  lowPassBox_->setChecked(bound_.lowPassOn);
  highPassEdit_ = CutOffEdit(HighPassText(bound_.highPassKHz), "highPassEdit");
  highPassEdit_->setEnabled(bound_.highPassOn);
  lowPassEdit_ = CutOffEdit(LowPassText(bound_.lowPassKHz), "lowPassEdit");
  lowPassEdit_->setEnabled(bound_.lowPassOn);

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

ChannelFilter& CDlgFilter::Entry(int channel) { return doc_.filters[doc_.currentSection + channel]; }

void CDlgFilter::Apply() {
  doc_.ApplyChannelFilter(target_);
  repaint_();
}

void CDlgFilter::OnHighPassBox(bool on) {
  highPassEdit_->setEnabled(on);
  Entry(target_).highPassOn = on;
  if (on) {
    OnHighPassText(highPassEdit_->text());
  } else {
    Apply();
  }
}

void CDlgFilter::OnLowPassBox(bool on) {
  lowPassEdit_->setEnabled(on);
  Entry(target_).lowPassOn = on;
  Apply();
}

void CDlgFilter::OnHighPassText(const QString& text) {
  const float kHz = FieldNumber(text);
  bound_.highPassKHz = kHz;
  if (kHz > 20.0f || kHz < 0.0099995f) {
    setWindowTitle(kHighPassRange);
  } else if (kHz > bound_.lowPassKHz) {
    setWindowTitle(kOrder);
  } else {
    setWindowTitle(kTitle);
    if (!text.isEmpty()) Apply();
  }
}

void CDlgFilter::OnLowPassText(const QString& text) {
  const float kHz = FieldNumber(text);
  bound_.lowPassKHz = kHz;
  if (kHz > 500.0f || kHz < 2.0f) {
    setWindowTitle(kLowPassRange);
  } else if (kHz < bound_.highPassKHz) {
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
  bound_.highPassKHz = FieldNumber(highPassEdit_->text());
  bound_.lowPassKHz = FieldNumber(lowPassEdit_->text());
  QDialog::accept();
}

void CDlgFilter::reject() {
  Entry(target_) = remembered_[target_];
  doc_.ApplyChannelFilter(target_);
  doc_.SetModifiedFlag();
  repaint_();
  QDialog::reject();
}

}  // namespace tarnix
