#include "views/print_out_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/c_text.h"
#include "dialogs/layer_parameter_dlg.h"
#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

const char* const kScales[] = {"1:20", "1:50", "1:100", "1:150", "1:200", "1:300", "1:400", "1:800"};
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int kInterpretationHeight = 90;

// A stored date is read from its first ten characters; what is not a date
// shows today without being written.
QDate StoredDate(const std::string& text) {
  const QString head = QString::fromStdString(text).left(10);
  QDate date = QDate::fromString(head, kDateFormat);
  if (!date.isValid()) date = QDate::fromString(head.trimmed(), QStringLiteral("yyyy-M-d"));
  return date.isValid() ? date : QDate::currentDate();
}

void ShowText(QLineEdit* edit, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (edit->text() != shown) edit->setText(shown);
}

// The history list as the combo's entries, the typed text kept.
void ShowHistory(QComboBox* combo, const std::array<std::string, 10>& history, const std::string& text) {
  QStringList entries;
  for (const std::string& h : history) {
    if (!h.empty()) entries << QString::fromStdString(h);
  }
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (shown != entries) {
    combo->clear();
    combo->addItems(entries);
  }
  ShowText(combo->lineEdit(), text);
}

}  // namespace

CPrintOutForm::CPrintOutForm(CTarnixDoc& doc, CommandSink* commands, std::function<void()> repaint, QWidget* parent)
    : QWidget(parent), doc_(doc), commands_(commands), repaint_(std::move(repaint)) {
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  BuildProjectFields(form);
  column->addLayout(form);
  BuildStyleFields(column);
  column->addStretch(1);
  seenOpenCount_ = doc_.OpenCount();
  Refresh();
}

void CPrintOutForm::BuildProjectFields(QFormLayout* form) {
  const char* names[] = {"site", "unit", "person"};
  const QString labels[] = {QStringLiteral("工地名称"), QStringLiteral("测试单位"), QStringLiteral("测试人员")};
  for (int i = 0; i < 3; ++i) {
    project_[i] = new QComboBox;
    project_[i]->setObjectName(QLatin1String(names[i]));
    project_[i]->setEditable(true);
    project_[i]->setInsertPolicy(QComboBox::NoInsert);  // the history lists are the form's to keep
    form->addRow(labels[i], project_[i]);
    connect(project_[i]->lineEdit(), &QLineEdit::textEdited, this, &CPrintOutForm::TextsTyped);
    connect(project_[i]->lineEdit(), &QLineEdit::editingFinished, this, &CPrintOutForm::FinishTexts);
    connect(project_[i], &QComboBox::activated, this, [this] {
      TextsTyped();
      FinishTexts();
    });
  }
  lock_ = new QCheckBox(QStringLiteral("锁定"));
  lock_->setObjectName(QStringLiteral("lock"));
  form->addRow(QString(), lock_);
  connect(lock_, &QCheckBox::clicked, this, &CPrintOutForm::LockClicked);

  const char* holeNames[] = {"holeId", "holeHeight", "holeDepth", "holeX", "holeY"};
  const QString holeLabels[] = {QStringLiteral("孔  号"), QStringLiteral("孔口高程"), QStringLiteral("钻孔深度"),
                                QStringLiteral("孔位坐标X"), QStringLiteral("孔位坐标Y")};
  for (int i = 0; i < 5; ++i) {
    hole_[i] = new QLineEdit;
    hole_[i]->setObjectName(QLatin1String(holeNames[i]));
    form->addRow(holeLabels[i], hole_[i]);
    connect(hole_[i], &QLineEdit::textEdited, this, &CPrintOutForm::TextsTyped);
    connect(hole_[i], &QLineEdit::editingFinished, this, &CPrintOutForm::FinishTexts);
  }
  for (QDateEdit** picker : {&holeDate_, &testDate_}) {
    *picker = new QDateEdit;
    (*picker)->setDisplayFormat(kDateFormat);
    (*picker)->setCalendarPopup(true);
    QDateEdit* p = *picker;
    connect(p, &QDateEdit::dateChanged, this, [this, p] { DateChosen(p); });
  }
  holeDate_->setObjectName(QStringLiteral("holeDate"));
  testDate_->setObjectName(QStringLiteral("testDate"));
  form->addRow(QStringLiteral("钻孔日期"), holeDate_);
  form->addRow(QStringLiteral("测试日期"), testDate_);

  standard_ = new QComboBox;
  standard_->setObjectName(QStringLiteral("standard"));
  standard_->addItem(QStringLiteral("SL-264-2001"));
  form->addRow(QStringLiteral("依据的标准"), standard_);
  connect(standard_, &QComboBox::activated, this, [this] { Record(commands_, ChooseStandardCommand(doc_)); });
  ruler_ = new QComboBox;
  ruler_->setObjectName(QStringLiteral("ruler"));
  for (const char* scale : kScales) ruler_->addItem(QLatin1String(scale));
  form->addRow(QStringLiteral("标  尺"), ruler_);
  connect(ruler_, &QComboBox::activated, this, &CPrintOutForm::ScaleChosen);
}

void CPrintOutForm::BuildStyleFields(QVBoxLayout* column) {
  auto* one = new QGroupBox;
  auto* oneLayout = new QVBoxLayout(one);
  style1_ = new QCheckBox(QStringLiteral("样式一"));
  style1_->setObjectName(QStringLiteral("style1"));
  methods_ = new QTabWidget;
  methods_->setObjectName(QStringLiteral("methods"));
  wayOne_ = new CWayoneDlg(doc_, commands_);
  wayTwo_ = new CWaytwoDlg(doc_, commands_);
  for (LayerParameterDlg* page : std::initializer_list<LayerParameterDlg*>{wayOne_, wayTwo_}) {
    page->setWindowFlags(Qt::Widget);  // a page of the tabs, not a window
    methods_->addTab(page, page->windowTitle());
  }
  oneLayout->addWidget(style1_);
  oneLayout->addWidget(methods_);
  column->addWidget(one);
  connect(methods_, &QTabWidget::currentChanged, this, &CPrintOutForm::MethodChosen);

  auto* two = new QGroupBox;
  auto* twoLayout = new QVBoxLayout(two);
  style2_ = new QCheckBox(QStringLiteral("样式二"));
  style2_->setObjectName(QStringLiteral("style2"));
  interpretation_ = new QPlainTextEdit;
  interpretation_->setObjectName(QStringLiteral("interpretation"));
  interpretation_->setFixedHeight(kInterpretationHeight);
  interpretation_->installEventFilter(this);
  twoLayout->addWidget(style2_);
  twoLayout->addWidget(new QLabel(QStringLiteral("声波解释")));
  twoLayout->addWidget(interpretation_);
  column->addWidget(two);
  connect(style1_, &QCheckBox::clicked, this, [this](bool on) { StyleClicked(1, on); });
  connect(style2_, &QCheckBox::clicked, this, [this](bool on) { StyleClicked(2, on); });
  connect(interpretation_, &QPlainTextEdit::textChanged, this, &CPrintOutForm::InterpretationTyped);
}

void CPrintOutForm::Refresh() {
  if (doc_.OpenCount() != seenOpenCount_) {
    seenOpenCount_ = doc_.OpenCount();
    if (isVisible()) ApplyLock();
  }
  ShowProjectTexts();
  const TestHeader& h = doc_.Header();
  const std::string* texts[] = {&h.m_holeID, &h.m_holeHeight, &h.m_holeDepth, &h.m_holeX, &h.m_holeY};
  for (int i = 0; i < 5; ++i) ShowText(hole_[i], *texts[i]);
  for (auto [picker, text] : {std::pair(holeDate_, &h.m_holeDate), std::pair(testDate_, &h.date)}) {
    const QSignalBlocker quiet(picker);
    picker->setDate(StoredDate(*text));
  }

  const LayerSet& l = doc_.Layers();
  const QString scale = QString::fromStdString(CFormat("1:%d", l.m_ruler));
  if (ruler_->findText(scale) < 0) ruler_->addItem(scale);  // a scale of a result file outside the list
  ruler_->setCurrentIndex(ruler_->findText(scale));
  style1_->setChecked(l.m_style1 == 1);
  style2_->setChecked(l.m_style2 == 1);
  {
    const QSignalBlocker quiet(methods_);
    methods_->setCurrentIndex(l.m_way == 1 ? 0 : 1);
  }
  for (LayerParameterDlg* page : std::initializer_list<LayerParameterDlg*>{wayOne_, wayTwo_}) {
    page->ShowLayer();
    page->EnableInputs(l.m_style1 == 1);
  }
  const int k = doc_.SelectedLayer();
  const bool hasLayer = k < static_cast<int>(l.explain.size());
  const QString explanation = hasLayer ? QString::fromStdString(l.explain[k]) : QString();
  if (!interpretationEdit_ && interpretation_->toPlainText() != explanation) {
    const QSignalBlocker quiet(interpretation_);
    interpretation_->setPlainText(explanation);
  }
  interpretation_->setEnabled(l.m_style2 == 1 && hasLayer);
}

void CPrintOutForm::ShowProjectTexts() {
  const ReportTexts& r = doc_.reportTexts;
  const bool locked = r.locked != 0;
  const std::string* texts[] = {&doc_.Header().site, &doc_.Header().unit, &doc_.Header().person};
  for (int i = 0; i < 3; ++i) {
    ShowHistory(project_[i], r.history[i], locked ? r.lockedTexts[i] : *texts[i]);
    project_[i]->setEnabled(!locked);
  }
  lock_->setChecked(locked);
}

void CPrintOutForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ApplyLock();
}

void CPrintOutForm::ApplyLock() {
  const ReportTexts& r = doc_.reportTexts;
  if (r.locked == 0 || doc_.CurrentSection() < 0) return;
  const HeaderTexts before = TextsOf(doc_.Header());
  HeaderTexts locked = before;
  std::tie(locked.site, locked.unit, locked.person) = std::tie(r.lockedTexts[0], r.lockedTexts[1], r.lockedTexts[2]);
  if (locked == before) return;
  doc_.SetHeaderTexts(locked);
  Record(commands_, HeaderTextsEdited(doc_, before));
}

void CPrintOutForm::TextsTyped() {
  if (!typingFrom_) typingFrom_ = TextsOf(doc_.Header());
  HeaderTexts t = TextsOf(doc_.Header());
  std::string* project[] = {&t.site, &t.unit, &t.person};
  for (int i = 0; i < 3; ++i) *project[i] = project_[i]->currentText().toStdString();
  std::string* hole[] = {&t.holeId, &t.holeHeight, &t.holeDepth, &t.holeX, &t.holeY};
  for (int i = 0; i < 5; ++i) *hole[i] = hole_[i]->text().toStdString();
  doc_.SetHeaderTexts(t);
}

void CPrintOutForm::FinishTexts() {
  if (!typingFrom_) return;
  const HeaderTexts before = *typingFrom_;
  typingFrom_.reset();
  Record(commands_, HeaderTextsEdited(doc_, before));
  const std::string* texts[] = {&doc_.Header().site, &doc_.Header().unit, &doc_.Header().person};
  for (int i = 0; i < 3; ++i) RememberText(doc_.reportTexts.history[i], *texts[i]);
  ShowProjectTexts();
}

void CPrintOutForm::DateChosen(QDateEdit* picker) {
  FinishTexts();
  const HeaderTexts before = TextsOf(doc_.Header());
  HeaderTexts t = before;
  (picker == holeDate_ ? t.holeDate : t.testDate) = picker->date().toString(kDateFormat).toStdString();
  doc_.SetHeaderTexts(t);
  Record(commands_, HeaderTextsEdited(doc_, before));
}

void CPrintOutForm::LockClicked(bool on) {
  FinishTexts();
  ReportTexts& r = doc_.reportTexts;
  r.locked = on ? 1 : 0;
  if (on) {
    for (int i = 0; i < 3; ++i) r.lockedTexts[i] = project_[i]->currentText().toStdString();
  }
  ShowProjectTexts();
  if (repaint_) repaint_();
}

void CPrintOutForm::Restyle(const ReportStyle& style) { Record(commands_, ChangeReportStyle(doc_, style)); }

void CPrintOutForm::ScaleChosen(int entry) {
  const QString text = ruler_->itemText(entry);
  const int ruler = text.mid(text.indexOf(':') + 1).toInt();
  if (ruler <= 0) return;
  ReportStyle style = StyleOf(doc_.Layers());
  style.ruler = ruler;
  Restyle(style);
}

void CPrintOutForm::StyleClicked(int which, bool on) {
  // The two styles exclude each other; both may be off.
  ReportStyle style = StyleOf(doc_.Layers());
  (which == 1 ? style.style1 : style.style2) = on ? 1 : 0;
  if (on) (which == 1 ? style.style2 : style.style1) = 0;
  Restyle(style);
}

void CPrintOutForm::MethodChosen(int tab) {
  ReportStyle style = StyleOf(doc_.Layers());
  style.way = tab == 0 ? 1 : 0;
  style.tags = tab == 0 ? wayOne_->Tags() : wayTwo_->Tags();
  Restyle(style);
}

void CPrintOutForm::InterpretationTyped() {
  if (!interpretationEdit_) interpretationEdit_.emplace(doc_, "声波解释");
  doc_.SetLayerExplanation(doc_.SelectedLayer(), interpretation_->toPlainText().toStdString());
}

bool CPrintOutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == interpretation_ && event->type() == QEvent::FocusOut && interpretationEdit_) {
    std::unique_ptr<Command> done = interpretationEdit_->Finish();
    interpretationEdit_.reset();
    Record(commands_, std::move(done));
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarnix
