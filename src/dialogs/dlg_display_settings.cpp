#include "dialogs/dlg_display_settings.h"

#include <QAbstractSlider>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QVBoxLayout>

#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

const QString kGreyOrderMessage = QStringLiteral("灰度范围不正确，最小值不能大于最大值，请检查");
const QString kGreyRangeMessage = QStringLiteral("请输入一个介于 0 和 255 之间的整数。");

QColor ToQColor(uint32_t c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

uint32_t FromQColor(const QColor& c) {
  return Rgb(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
}

std::optional<ScrollStep> StepOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return ScrollStep::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
      return ScrollStep::LineRight;
    case QAbstractSlider::SliderPageStepSub:
      return ScrollStep::PageLeft;
    case QAbstractSlider::SliderPageStepAdd:
      return ScrollStep::PageRight;
    case QAbstractSlider::SliderMove:
      return ScrollStep::Thumb;
    case QAbstractSlider::SliderToMinimum:
      return ScrollStep::ToMinimum;
    case QAbstractSlider::SliderToMaximum:
      return ScrollStep::ToMaximum;
    default:
      return std::nullopt;
  }
}

// The ramp of the grey range, repainted from the stored range.
class GreyRamp : public QWidget {
 public:
  explicit GreyRamp(const DisplaySettings& display, QWidget* parent = nullptr) : QWidget(parent), display_(display) {
    setMinimumHeight(14);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int w = width();
    for (int x = 0; x < w; ++x) {
      const int level = GreyPreviewLevel(display_.greyMin, display_.greyMax, x, w);
      painter.setPen(QColor(level, level, level));
      painter.drawLine(x, 0, x, height() - 1);
    }
  }

 private:
  const DisplaySettings& display_;
};

QLabel* FieldLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

constexpr int kValueWidth = 48;

// A scroll bar with the field that shows its position.
QHBoxLayout* BarRow(QScrollBar* bar, QLineEdit* edit) {
  auto* row = new QHBoxLayout;
  row->addWidget(bar, 1);
  row->addWidget(edit);
  return row;
}

// Puts a group without title on a level with its titled neighbour, whose
// frame starts below the title.
QWidget* AlignedWith(const QGroupBox& titled, QWidget* group) {
  QStyleOptionGroupBox option;
  option.initFrom(&titled);
  option.text = titled.title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect label = titled.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &titled);
  auto* holder = new QWidget;
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, label.bottom(), 0, 0);
  layout->addWidget(group);
  return holder;
}

QFormLayout* Form(QWidget* parent) {
  auto* form = new QFormLayout(parent);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setHorizontalSpacing(12);
  return form;
}

}  // namespace

CDlgDisplaySettings::CDlgDisplaySettings(CTarnixDoc& doc, int paneHeight, std::function<void()> repaint,
                                         QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      display_(doc.display),
      remembered_(doc.display),
      paneHeight_(paneHeight),
      repaint_(std::move(repaint)) {
  setWindowTitle(QStringLiteral("显示设置"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // Two columns of groups whose rows line up: display and grey-scale train,
  // the current-waveform panel and the gains, then colours and probe geometry.
  auto* columns = new QGridLayout;
  columns->setHorizontalSpacing(12);
  columns->setVerticalSpacing(10);
  QGroupBox* display = BuildDisplayGroup();
  columns->addWidget(display, 0, 0);
  columns->addWidget(AlignedWith(*display, BuildTrainGroup()), 0, 1);
  columns->addWidget(BuildPanelGroup(), 1, 0);
  columns->addWidget(BuildGainGroup(), 1, 1);
  columns->addWidget(BuildColourGroup(), 2, 0);
  columns->addWidget(BuildProbeGroup(), 2, 1);
  columns->setColumnStretch(0, 1);
  columns->setColumnStretch(1, 1);

  auto* ok = new QPushButton(QStringLiteral("确定"));
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"));
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &CDlgDisplaySettings::accept);
  connect(cancel, &QPushButton::clicked, this, &CDlgDisplaySettings::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* main = new QVBoxLayout(this);
  main->addLayout(columns);
  main->addSpacing(4);
  main->addLayout(buttons);
}

QGroupBox* CDlgDisplaySettings::BuildDisplayGroup() {
  auto* box = new QGroupBox(QStringLiteral("图形显示方式"));
  auto* form = Form(box);

  auto* waves = new QRadioButton(QStringLiteral("波形图"));
  waves->setObjectName(QStringLiteral("showWaveforms"));
  auto* spectra = new QRadioButton(QStringLiteral("频谱图"));
  spectra->setObjectName(QStringLiteral("showSpectra"));
  auto* group = new QButtonGroup(box);
  group->addButton(waves, 1);
  group->addButton(spectra, 0);
  (display_.showWaveforms != 0 ? waves : spectra)->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    display_.showWaveforms = id;
    Changed();
  });
  auto* row = new QHBoxLayout;
  row->addWidget(waves);
  row->addWidget(spectra);
  row->addStretch(1);
  form->addRow(row);

  refineBar_ = AddScrollBar("spectrumRefine", kRefineMin, kRefineMax, display_.spectrumRefine, &refineEdit_);
  form->addRow(FieldLabel(QStringLiteral("频谱细化倍数")), BarRow(refineBar_, refineEdit_));
  return box;
}

QWidget* CDlgDisplaySettings::BuildPanelGroup() {
  auto* box = new QGroupBox;
  auto* form = Form(box);

  auto* current = new QCheckBox(QStringLiteral("当前波形"));
  current->setObjectName(QStringLiteral("showCurrentWave"));
  current->setChecked(display_.showCurrentWave != 0);
  connect(current, &QCheckBox::toggled, this, &CDlgDisplaySettings::OnCurrentWave);
  form->addRow(current);

  auto* position = new QComboBox;
  position->setObjectName(QStringLiteral("curvePosition"));
  position->addItems({QStringLiteral("上端"), QStringLiteral("中端"), QStringLiteral("下端")});
  position->setCurrentIndex(CurvePositionIndex(display_.curvePosition));
  connect(position, &QComboBox::currentIndexChanged, this, [this](int index) {
    display_.curvePosition = CurvePositionFromIndex(index);
    Changed();
  });
  form->addRow(FieldLabel(QStringLiteral("曲线位置")), position);

  panelHeightBar_ = AddScrollBar("panelHeight", kPanelHeightRule.min, kPanelHeightRule.max, display_.panelHeight,
                                 &panelHeightEdit_);
  form->addRow(FieldLabel(QStringLiteral("凸显区间")), BarRow(panelHeightBar_, panelHeightEdit_));

  const auto flag = [this](const char* name, const QString& text, bool checked, std::function<void(bool)> set) {
    auto* check = new QCheckBox(text);
    check->setObjectName(QLatin1String(name));
    check->setChecked(checked);
    connect(check, &QCheckBox::toggled, this, [this, set](bool on) {
      set(on);
      Changed();
    });
    return check;
  };
  auto* checks = new QHBoxLayout;
  checks->addWidget(flag("phase", QStringLiteral("曲线反相"), display_.phase == -1,
                         [this](bool on) { display_.phase = on ? -1 : 1; }));
  checks->addWidget(flag("showTimeCurve", QStringLiteral("声时曲线"), display_.showTimeCurve != 0,
                         [this](bool on) { display_.showTimeCurve = on ? 1 : 0; }));
  checks->addWidget(flag("showAmpCurve", QStringLiteral("声幅曲线"), display_.showAmpCurve != 0,
                         [this](bool on) { display_.showAmpCurve = on ? 1 : 0; }));
  checks->addStretch(1);
  form->addRow(checks);
  return box;
}

QWidget* CDlgDisplaySettings::BuildGainGroup() {
  auto* box = new QGroupBox;
  auto* form = Form(box);

  auto* gain = new QComboBox;
  gain->setObjectName(QStringLiteral("waveGain"));
  for (int g : kWaveGains) gain->addItem(QString::number(g));
  gain->setCurrentIndex(WaveGainIndex(display_.waveGain));
  connect(gain, &QComboBox::currentIndexChanged, this, [this](int index) {
    display_.waveGain = WaveGainFromIndex(index);
    Changed();
  });
  form->addRow(FieldLabel(QStringLiteral("波形放大")), gain);

  valueGainBar_ = AddScrollBar("valueGain", kGainRule.min, kGainRule.max, display_.valueGain, &valueGainEdit_);
  form->addRow(FieldLabel(QStringLiteral("数值放大")), BarRow(valueGainBar_, valueGainEdit_));
  intervalGainBar_ =
      AddScrollBar("intervalGain", kGainRule.min, kGainRule.max, display_.intervalGain, &intervalGainEdit_);
  form->addRow(FieldLabel(QStringLiteral("区间放大")), BarRow(intervalGainBar_, intervalGainEdit_));
  thresholdBar_ = AddScrollBar("positiveThreshold", kThresholdRule.min, kThresholdRule.max,
                               display_.positiveThreshold, &thresholdEdit_);
  form->addRow(FieldLabel(QStringLiteral("正向阈值")), BarRow(thresholdBar_, thresholdEdit_));
  return box;
}

QWidget* CDlgDisplaySettings::BuildTrainGroup() {
  auto* box = new QGroupBox;
  auto* form = Form(box);

  auto* mode = new QComboBox;
  mode->setObjectName(QStringLiteral("trainMode"));
  mode->addItems({QStringLiteral("曲线"), QStringLiteral("正相"), QStringLiteral("线段"), QStringLiteral("灰度")});
  mode->setCurrentIndex(TrainModeIndex(display_.trainMode));
  connect(mode, &QComboBox::currentIndexChanged, this, [this](int index) {
    display_.trainMode = TrainModeFromIndex(index);
    Changed();
  });
  form->addRow(FieldLabel(QStringLiteral("波列模式")), mode);

  // Only digits get in; the range itself is checked when a field is left, so
  // that the user is told rather than silently blocked.
  auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), box);
  const auto greyEdit = [&](const char* name, int value) {
    auto* edit = new QLineEdit(QString::number(value));
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(digits);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(kValueWidth);
    edit->installEventFilter(this);
    return edit;
  };
  greyMinEdit_ = greyEdit("greyMin", display_.greyMin);
  greyMaxEdit_ = greyEdit("greyMax", display_.greyMax);
  auto* preview = new GreyRamp(display_);
  preview->setObjectName(QStringLiteral("greyPreview"));
  greyPreview_ = preview;
  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::Box);
  frame->setFrameShadow(QFrame::Sunken);
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->setContentsMargins(1, 1, 1, 1);
  frameLayout->addWidget(preview);

  auto* greyRow = new QHBoxLayout;
  greyRow->addWidget(greyMinEdit_);
  greyRow->addWidget(frame, 1);
  greyRow->addWidget(greyMaxEdit_);
  form->addRow(FieldLabel(QStringLiteral("灰度范围")), greyRow);
  return box;
}

QWidget* CDlgDisplaySettings::BuildProbeGroup() {
  auto* box = new QGroupBox(QStringLiteral("位置"));
  auto* form = Form(box);

  auto* mode = new QComboBox;
  mode->setObjectName(QStringLiteral("transmitterMode"));
  mode->addItems({QStringLiteral("发射在上"), QStringLiteral("发射在下")});
  mode->setCurrentIndex(display_.transmitterMode != 0 ? 1 : 0);
  connect(mode, &QComboBox::currentIndexChanged, this, &CDlgDisplaySettings::OnTransmitterMode);
  form->addRow(FieldLabel(QStringLiteral("发射方式")), mode);

  auto* radios = new QHBoxLayout;
  auto* group = new QButtonGroup(box);
  const char* names[4] = {"refTransmitter", "refReceiver1", "refReceiver2", "refCentre"};
  const QString texts[4] = {QStringLiteral("发射"), QStringLiteral("接收1"), QStringLiteral("接收2"),
                            QStringLiteral("中心")};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(texts[i]);
    radio->setObjectName(QLatin1String(names[i]));
    radio->setChecked(display_.depthReference == i);
    group->addButton(radio, i);
    radios->addWidget(radio);
  }
  radios->addStretch(1);
  connect(group, &QButtonGroup::idClicked, this, &CDlgDisplaySettings::OnDepthReference);
  form->addRow(radios);
  return box;
}

QWidget* CDlgDisplaySettings::BuildColourGroup() {
  auto* box = new QGroupBox(QStringLiteral("颜色设置"));
  auto* form = Form(box);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(FieldLabel(QStringLiteral("声时曲线")), AddColourButton("timeCurveColour", kTimeCurveColour));
  form->addRow(FieldLabel(QStringLiteral("声速曲线")), AddColourButton("velocityCurveColour", kVelocityCurveColour));
  return box;
}

QScrollBar* CDlgDisplaySettings::AddScrollBar(const char* name, int min, int max, int value, QLineEdit** edit) {
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setObjectName(QLatin1String(name));
  bar->setRange(min, max);
  bar->setValue(value);
  bar->setMinimumWidth(120);
  // The edit shows the position; the scroll bar is how the value changes.
  *edit = new QLineEdit(QString::number(value));
  (*edit)->setObjectName(QLatin1String(name) + QStringLiteral("Edit"));
  (*edit)->setReadOnly(true);
  (*edit)->setAlignment(Qt::AlignRight);
  (*edit)->setFixedWidth(kValueWidth);
  (*edit)->setFocusPolicy(Qt::NoFocus);
  connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) { OnScroll(bar, action); });
  return bar;
}

QPushButton* CDlgDisplaySettings::AddColourButton(const char* name, CurveColour which) {
  auto* button = new QPushButton;
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  button->setFixedSize(56, 24);
  button->setIconSize(QSize(40, 14));
  ShowColour(button, display_.colours[which]);
  connect(button, &QPushButton::clicked, this, [this, button, which] { OnColourButton(button, which); });
  return button;
}

void CDlgDisplaySettings::ShowColour(QPushButton* button, uint32_t colour) {
  QPixmap swatch(button->iconSize());
  swatch.fill(ToQColor(colour));
  QPainter painter(&swatch);
  painter.setPen(Qt::darkGray);
  painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  painter.end();
  button->setIcon(QIcon(swatch));
}

void CDlgDisplaySettings::OnScroll(QScrollBar* bar, int action) {
  const std::optional<ScrollStep> step = StepOf(action);
  if (!step) return;
  const int thumb = bar->sliderPosition();
  int* field = nullptr;
  QLineEdit* edit = nullptr;
  int next = 0;
  if (bar == refineBar_) {
    field = &display_.spectrumRefine;
    edit = refineEdit_;
    next = RefineStep(*field, *step, thumb);
  } else if (bar == panelHeightBar_) {
    field = &display_.panelHeight;
    edit = panelHeightEdit_;
    next = BoundedStep(*field, *step, kPanelHeightRule, thumb);
  } else if (bar == valueGainBar_) {
    field = &display_.valueGain;
    edit = valueGainEdit_;
    next = BoundedStep(*field, *step, kGainRule, thumb);
  } else if (bar == intervalGainBar_) {
    field = &display_.intervalGain;
    edit = intervalGainEdit_;
    next = BoundedStep(*field, *step, kGainRule, thumb);
  } else if (bar == thresholdBar_) {
    field = &display_.positiveThreshold;
    edit = thresholdEdit_;
    next = BoundedStep(*field, *step, kThresholdRule, thumb);
  } else {
    return;
  }
  // The slider applies this position once the signal returns.
  bar->setSliderPosition(next);
  edit->setText(QString::number(next));
  if (bar == panelHeightBar_) {
    ApplyPanelHeight(display_, next, paneHeight_, doc_.Header().pileLen, doc_.Header().move);
  } else {
    *field = next;
  }
  Changed();
}

void CDlgDisplaySettings::OnCurrentWave(bool on) {
  const int cs = doc_.CurrentSection();
  const int points = cs >= 0 && cs < kSectionCount && doc_.Section(cs).valid ? doc_.Section(cs).PointCount() : 0;
  ToggleCurrentWave(display_, on, points);
  Changed();
}

void CDlgDisplaySettings::OnDepthReference(int reference) {
  SetDepthReference(display_, reference);
  RebuildAllDepths();
  Changed();
}

void CDlgDisplaySettings::OnTransmitterMode(int mode) {
  if (mode == display_.transmitterMode) return;
  SetTransmitterMode(display_, mode);
  RebuildAllDepths();
  Changed();
}

void CDlgDisplaySettings::OnColourButton(QPushButton* button, CurveColour which) {
  const std::optional<QColor> chosen = ChooseColour(ToQColor(display_.colours[which]));
  if (!chosen || !chosen->isValid()) return;
  display_.colours[which] = FromQColor(*chosen);
  ShowColour(button, display_.colours[which]);
  Changed();
}

bool CDlgDisplaySettings::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr || (edit != greyMinEdit_ && edit != greyMaxEdit_)) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter here confirms the range, not the dialog.
      ReadGreyRange(edit);
      return true;
    }
  } else if (event->type() == QEvent::FocusOut && !readingGrey_) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window taking the focus (our own message box among them) is not
    // the user leaving the field.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      // Read once the focus has settled: a message box inside the focus change
      // would fight it, and a click on "确定" reads the fields itself.
      pendingGreyCheck_ = edit;
      QTimer::singleShot(0, this, [this] {
        if (QLineEdit* left = pendingGreyCheck_) {
          pendingGreyCheck_ = nullptr;
          if (isVisible()) ReadGreyRange(left);
        }
      });
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool CDlgDisplaySettings::ReadGreyRange(QLineEdit* left) {
  pendingGreyCheck_ = nullptr;
  readingGrey_ = true;
  bool minOk = false;
  bool maxOk = false;
  const int greyMin = greyMinEdit_->text().toInt(&minOk);
  const int greyMax = greyMaxEdit_->text().toInt(&maxOk);
  QLineEdit* refocus = nullptr;
  if (!minOk || CheckGreyRange(greyMin, 0) == GreyCheck::OutOfRange) {
    ShowMessage(kGreyRangeMessage);
    refocus = greyMinEdit_;
  } else if (!maxOk || CheckGreyRange(0, greyMax) == GreyCheck::OutOfRange) {
    ShowMessage(kGreyRangeMessage);
    refocus = greyMaxEdit_;
  } else if (CheckGreyRange(greyMin, greyMax) == GreyCheck::MaxBelowMin) {
    ShowMessage(kGreyOrderMessage);
    refocus = left;
  }
  if (refocus != nullptr) {
    refocus->setFocus(Qt::OtherFocusReason);
    refocus->selectAll();
    readingGrey_ = false;
    return false;
  }
  display_.greyMin = greyMin;
  display_.greyMax = greyMax;
  greyPreview_->update();
  readingGrey_ = false;
  Changed();
  return true;
}

void CDlgDisplaySettings::accept() {
  QLineEdit* left = greyMaxEdit_->hasFocus() ? greyMaxEdit_ : greyMinEdit_;
  if (pendingGreyCheck_ != nullptr) left = pendingGreyCheck_;
  if (!ReadGreyRange(left)) return;
  QDialog::accept();
}

void CDlgDisplaySettings::reject() {
  pendingGreyCheck_ = nullptr;
  RestoreForCancel(display_, remembered_);
  Changed();
  QDialog::reject();
}

void CDlgDisplaySettings::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnix"), text, QMessageBox::Ok, this);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

std::optional<QColor> CDlgDisplaySettings::ChooseColour(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, this);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

void CDlgDisplaySettings::Changed() {
  if (repaint_) repaint_();
}

void CDlgDisplaySettings::RebuildAllDepths() { doc_.RebuildDepths(); }

}  // namespace tarnix
