#include "dialogs/dialog_adjust.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/c_text.h"
#include "commands/edit_commands.h"
#include "document/display_rules.h"
#include "document/tarnix_doc.h"
#include "render/draw_ana_curve.h"

namespace tarnix {
namespace {

QString AxisText(float v) { return QString::fromStdString(CFormat("%.3f", v)); }

}  // namespace

void CDialogAdjust::Run(CTarnixDoc& doc, std::function<void()> repaint, CommandSink* commands, QWidget* parent) {
  if (doc.CurrentSection() < 0) {
    doc.Ui().Message("请先打开文件！", MessageButtons::Ok);
    return;
  }
  CDialogAdjust dialog(doc, std::move(repaint), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  for (auto& edit : dialog.TakeEdits()) Record(commands, std::move(edit));
}

CDialogAdjust::CDialogAdjust(CTarnixDoc& doc, std::function<void()> repaint, QWidget* parent)
    : QDialog(parent), doc_(doc), repaint_(std::move(repaint)), remembered_(doc.display) {
  setWindowTitle(QStringLiteral("曲线比例调整"));
  // The axis as the pane shows it, the automatic one included.
  float start = doc.display.axisStart;
  float end = doc.display.axisEnd;
  if (!doc.display.HasFixedAxis()) {
    AutomaticAxis(VpSeries(ReceiversAt(doc.AllSections(), doc.CurrentSection())), start, end);
  }
  start0_ = start;
  end0_ = end;

  auto* layout = new QVBoxLayout(this);
  showCurve_ = new QCheckBox(QStringLiteral("波速深度曲线"), this);
  showCurve_->setObjectName("showCurve");
  showCurve_->setChecked(doc.display.curveAdjust[kShowVelocityCurve] != 0);
  layout->addWidget(showCurve_);
  auto* form = new QFormLayout;
  scale_ = new QScrollBar(Qt::Horizontal, this);
  scale_->setObjectName("scale");
  scale_->setRange(0, 2 * kAxisScaleMiddle);
  scale_->setPageStep(1);
  scale_->setValue(kAxisScaleMiddle);
  form->addRow(QStringLiteral("比例关系"), scale_);
  custom_ = new QCheckBox(QStringLiteral("自定义"), this);
  custom_->setObjectName("custom");
  custom_->setChecked(doc.display.curveAdjust[kCustomAxis] != 0);
  form->addRow(custom_);
  start_ = new QLineEdit(AxisText(start), this);
  start_->setObjectName("start");
  end_ = new QLineEdit(AxisText(end), this);
  end_->setObjectName("end");
  end_->installEventFilter(this);
  for (QLineEdit* e : {start_, end_}) e->setEnabled(custom_->isChecked());
  form->addRow(QStringLiteral("起始"), start_);
  form->addRow(QStringLiteral("终止"), end_);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Apply();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &CDialogAdjust::reject);
  connect(scale_, &QScrollBar::valueChanged, this, &CDialogAdjust::OnScale);
  connect(custom_, &QCheckBox::toggled, this, &CDialogAdjust::OnCustom);
  connect(showCurve_, &QCheckBox::toggled, this, &CDialogAdjust::Apply);
  for (QLineEdit* e : {start_, end_}) connect(e, &QLineEdit::textChanged, this, &CDialogAdjust::Apply);
}

CDialogAdjust::~CDialogAdjust() = default;

std::vector<std::unique_ptr<Command>> CDialogAdjust::TakeEdits() { return std::move(edits_); }

void CDialogAdjust::OnScale(int position) {
  end_->setText(AxisText(AxisEndForScale(start0_, end0_, position)));
}

bool CDialogAdjust::eventFilter(QObject* watched, QEvent* event) {
  if (watched == end_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // The typed end becomes the middle of the scale; the key goes no further.
      end0_ = static_cast<float>(CToFloat(end_->text().toStdString()));
      start0_ = static_cast<float>(CToFloat(start_->text().toStdString()));
      const QSignalBlocker block(scale_);
      scale_->setValue(kAxisScaleMiddle);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CDialogAdjust::OnCustom(bool on) {
  for (QLineEdit* e : {start_, end_}) e->setEnabled(on);
  if (!on) {
    CDrawAnaCurve curve;
    curve.samplingStep = doc_.samplingStep;
    const int section = doc_.CurrentSection();
    const float v = curve.CalcCriticalForCurve(doc_.Algorithm(), doc_.AllSections(), section, 0);
    if (auto edit = ChangeVelocityCriterion(doc_, section, v)) edits_.push_back(std::move(edit));
  }
  Apply();
}

void CDialogAdjust::Apply() {
  DisplaySettings& d = doc_.display;
  d.axisStart = static_cast<float>(CToFloat(start_->text().toStdString()));
  d.axisEnd = static_cast<float>(CToFloat(end_->text().toStdString()));
  d.curveAdjust[kShowVelocityCurve] = showCurve_->isChecked() ? 1 : 0;
  d.curveAdjust[kCustomAxis] = custom_->isChecked() ? 1 : 0;
  if (repaint_) repaint_();
}

void CDialogAdjust::reject() {
  // Everything as it was when the dialog opened, the criterion included.
  for (auto it = edits_.rbegin(); it != edits_.rend(); ++it) (*it)->Undo();
  edits_.clear();
  DisplaySettings& d = doc_.display;
  d.axisStart = remembered_.axisStart;
  d.axisEnd = remembered_.axisEnd;
  d.curveAdjust = remembered_.curveAdjust;
  if (repaint_) repaint_();
  QDialog::reject();
}

}  // namespace tarnix
