#include "views/section_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "document/section_completion.h"
#include "commands/edit_commands.h"
#include "document/tarnix_doc.h"
#include "base/c_text.h"
#include "views/section_map.h"

namespace tarnix {
namespace {

// A read-out: it never takes keys, and a click does not leave the caret in it.
class ReadOnlyField : public QLineEdit {
 public:
  explicit ReadOnlyField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->accept(); }
  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    clearFocus();
  }
};

QString Text(const char* format, double value) { return QString::fromStdString(CFormat(format, value)); }

// "s-d" with both pipes counted from 1.
QString EntryText(const SectionRecord& s) { return QStringLiteral("%1-%2").arg(s.sourPipe + 1).arg(s.destPipe + 1); }

QLineEdit* AddField(QFormLayout* form, const char* label, const char* name) {
  auto* field = new ReadOnlyField(form->parentWidget());
  field->setObjectName(QLatin1String(name));
  form->addRow(QString::fromUtf8(label), field);
  return field;
}

QFormLayout* CompactForm(QWidget* parent) {
  auto* form = new QFormLayout(parent);
  form->setContentsMargins(3, 3, 3, 4);
  form->setHorizontalSpacing(3);
  form->setVerticalSpacing(3);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return form;
}

}  // namespace

CSectionForm::CSectionForm(CTarnixDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->setSpacing(6);

  auto* sectionGroup = new QGroupBox(QStringLiteral("剖面信息"), this);
  auto* sectionLayout = new QVBoxLayout(sectionGroup);
  sectionLayout->setContentsMargins(6, 4, 6, 6);
  sectionLayout->setSpacing(4);
  auto* row = new QHBoxLayout;
  selector_ = new QComboBox(sectionGroup);
  selector_->setObjectName(QStringLiteral("sectionSelector"));
  selector_->setMinimumContentsLength(4);
  distance_ = new QLineEdit(sectionGroup);
  distance_->setObjectName(QStringLiteral("distance"));
  distance_->setAlignment(Qt::AlignRight);
  row->addWidget(selector_, 1);
  row->addWidget(distance_, 1);
  row->addWidget(new QLabel(QStringLiteral("mm"), sectionGroup));
  sectionLayout->addLayout(row);
  map_ = new CSectionMap(sectionGroup);
  map_->setObjectName(QStringLiteral("sectionMap"));
  sectionLayout->addWidget(map_);
  layout->addWidget(sectionGroup);

  // The two channels side by side keep the bar short.
  auto* channels = new QHBoxLayout;
  channels->setSpacing(3);
  static const char* const kLabels[2][5] = {{"H1:", "T1:", "A1:", "V1:", "L1:"}, {"H2:", "T2:", "A2:", "V2:", "L2:"}};
  static const char* const kNames[2][5] = {{"H1", "T1", "A1", "V1", "L1"}, {"H2", "T2", "A2", "V2", "L2"}};
  for (int c = 0; c < 2; ++c) {
    auto* group = new QGroupBox(c == 0 ? QStringLiteral("检测值1") : QStringLiteral("检测值2"), this);
    QFormLayout* form = CompactForm(group);
    for (int k = 0; k < 5; ++k) channel_[c][k] = AddField(form, kLabels[c][k], kNames[c][k]);
    channels->addWidget(group, 1);
  }
  layout->addLayout(channels);

  auto* cursorGroup = new QGroupBox(QStringLiteral("曲线光标数据"), this);
  QFormLayout* cursorForm = CompactForm(cursorGroup);
  depth_ = AddField(cursorForm, "深度:", "depth");
  timeDiff_ = AddField(cursorForm, "声时差:", "timeDiff");
  spanDiff_ = AddField(cursorForm, "跨距差:", "spanDiff");
  velocityDiff_ = AddField(cursorForm, "波速差:", "velocityDiff");
  layout->addWidget(cursorGroup);
  layout->addStretch(1);

  connect(selector_, &QComboBox::activated, this, &CSectionForm::OnSectionChosen);
  connect(distance_, &QLineEdit::returnPressed, this, &CSectionForm::OnDistanceEntered);
  Refresh();
}

void CSectionForm::Refresh() {
  map_->SetPipeCount(doc_.Header().pipeNum);

  QStringList entries;
  QList<int> indices;
  for (int i = 0; i < kSectionCount; ++i) {
    if (!doc_.Section(i).valid) continue;
    entries << EntryText(doc_.Section(i));
    indices << i;
  }
  // Rebuilt only when it differs: Refresh may run from inside the selector's
  // own signal when the views are updated.
  QStringList shown;
  QList<int> shownIndices;
  for (int i = 0; i < selector_->count(); ++i) {
    shown << selector_->itemText(i);
    shownIndices << selector_->itemData(i).toInt();
  }
  const QSignalBlocker block(selector_);
  if (entries != shown || indices != shownIndices) {
    selector_->clear();
    for (int i = 0; i < entries.size(); ++i) selector_->addItem(entries[i], indices[i]);
  }

  const int current = doc_.CurrentSection();
  const bool hasCurrent = current >= 0 && current < kSectionCount && doc_.Section(current).valid;
  selector_->setCurrentIndex(hasCurrent ? selector_->findData(current) : -1);
  if (hasCurrent) {
    map_->SelectPair(doc_.Section(current).sourPipe, doc_.Section(current).destPipe);
  } else {
    map_->ClearFlags();
  }
  ShowDistance();
}

void CSectionForm::ShowDistance() {
  const int current = doc_.CurrentSection();
  if (current >= 0 && current < kSectionCount && doc_.Section(current).valid) {
    distance_->setText(Text("%.0f", doc_.Section(current).crossD * 1000.0));
  } else {
    distance_->clear();
  }
}

void CSectionForm::OnSectionChosen(int entry) {
  const QString text = selector_->itemText(entry);
  if (text.size() < 3) return;
  const int source = text[0].digitValue() - 1;
  const int receiver = text[2].digitValue() - 1;
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionRecord& s = doc_.Section(i);
    if (!s.valid || s.sourPipe != source || s.destPipe != receiver) continue;
    map_->SelectPair(source, receiver);
    doc_.SetCurrentSection(i);
    ShowDistance();
    return;
  }
}

void CSectionForm::OnDistanceEntered() {
  const int current = doc_.CurrentSection();
  if (current < 0 || current >= kSectionCount || !doc_.Section(current).valid) return;
  channel_[0][4]->setText(distance_->text() + QStringLiteral("mm"));

  const auto crossD = static_cast<float>(CToFloat(distance_->text().toStdString()) / 1000.0);
  Record(commands_, ChangeDistance(doc_, current, crossD));
}

void CSectionForm::ShowCursor(int channel, double depth, double time, double amplitude, double velocity, double span) {
  if (channel < 0 || channel > 1) return;
  QLineEdit* const* f = channel_[channel];
  f[0]->setText(Text("%.2fm", depth));
  f[1]->setText(Text("%.1fus", time));
  f[2]->setText(Text("%.2fdB", amplitude));
  f[3]->setText(Text("%.3fkm/s", velocity));
  f[4]->setText(Text("%.0fmm", span * 1000.0));
}

void CSectionForm::ShowCursorDifferences(double depth, double timeDiff, double spanDiff, double velocityDiff) {
  depth_->setText(Text("%.2fm", depth));
  timeDiff_->setText(Text("%.1fus", timeDiff));
  spanDiff_->setText(Text("%.0fmm", spanDiff * 1000.0));
  velocityDiff_->setText(velocityDiff == 0.0 || !std::isfinite(velocityDiff) ? QStringLiteral("0km/s")
                                                                             : Text("%.3fkm/s", velocityDiff));
}

void CSectionForm::ClearCursor() {
  for (auto& fields : channel_) {
    for (QLineEdit* f : fields) f->clear();
  }
  for (QLineEdit* f : {depth_, timeDiff_, spanDiff_, velocityDiff_}) f->clear();
}

}  // namespace tarnix
