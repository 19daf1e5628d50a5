#include "dialogs/dlg_print_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "dialogs/channel_dialog_parts.h"
#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

constexpr int kLengthMax = 100;  // mm: margins, gutter, header and footer heights
constexpr int kPageNumberMax = 1000;
// What can be typed into the first page number, so that a number out of range
// is told rather than silently refused by the field.
constexpr int kPageNumberTyped = 99999;

const char kPageNumberMessage[] = "超出1-1000范围,请重新输入!";
const char kHeaderHeightMessage[] = "页眉高度不可以大于上边距";
const char kFooterHeightMessage[] = "页脚高度不可以大于下边距";
const char kSectionsPerPageMessage[] = "请选择每页打印剖面数";

// A spin field whose arrows stay inside [0, stepMax] while typing may go beyond.
class TypedSpin : public QSpinBox {
 public:
  TypedSpin(int stepMax, int typedMax) : stepMax_(stepMax) { setRange(0, typedMax); }
  void stepBy(int steps) override { setValue(std::clamp(value() + steps, 0, stepMax_)); }

 protected:
  StepEnabled stepEnabled() const override {
    StepEnabled e = StepNone;
    if (value() > 0) e |= StepDownEnabled;
    if (value() < stepMax_) e |= StepUpEnabled;
    return e;
  }

 private:
  int stepMax_;
};

QSpinBox* Spin(const char* name, int max, int typedMax) {
  auto* spin = new TypedSpin(max, typedMax);
  spin->setObjectName(QLatin1String(name));
  return spin;
}

QComboBox* Combo(const char* name, const QStringList& entries) {
  auto* combo = new QComboBox;
  combo->setObjectName(QLatin1String(name));
  combo->addItems(entries);
  return combo;
}

QLineEdit* NumberEdit(const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  edit->setValidator(new QIntValidator(0, 9999, edit));
  return edit;
}

QCheckBox* Check(const char* name, const QString& text) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QLatin1String(name));
  return box;
}

// Label and field in a row of a grid.
void Row(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
  grid->addWidget(new QLabel(label), row, column);
  grid->addWidget(field, row, column + 1);
}

int Index(const QComboBox* combo) { return std::max(combo->currentIndex(), 0); }

void Select(QComboBox* combo, int index) { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0); }

}  // namespace

std::vector<std::string> InstrumentModels(const std::string& instrument) {
  std::string upper = instrument;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  for (const char* model : {"7", "6", "5"}) {
    if (upper != std::string("KVTQX") + model && upper != std::string("KVT-QX") + model) continue;
    std::vector<std::string> models{std::string("KVT-QX") + model};
    for (const char* other : {"6", "5", "7"}) {
      if (std::string(other) != model) models.push_back(std::string("KVT-QX") + other);
    }
    return models;
  }
  return {};
}

CDlgPrintSet::CDlgPrintSet(CTarnixDoc& doc, std::function<void()> repaint, QWidget* parent)
    : QDialog(parent), doc_(doc), backup_(doc.pageSetup), repaint_(std::move(repaint)) {
  setWindowTitle(QStringLiteral("打印设置"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* columns = new QGridLayout;
  columns->addWidget(BuildMarginGroup(), 0, 0);
  columns->addWidget(BuildContentGroup(), 0, 1);
  columns->addWidget(BuildPageNumberGroup(), 1, 0);
  columns->addWidget(BuildHeaderGroup(false), 1, 1);
  columns->addWidget(BuildHeaderGroup(true), 2, 1);
  auto* main = new QVBoxLayout(this);
  main->addLayout(columns);
  main->addLayout(OkCancelRow(this));

  for (const std::string& model : InstrumentModels(doc_.Header().inst)) {
    instrumentModel_->addItem(QString::fromStdString(model));
  }
  ShowRecord(doc_.pageSetup);
  for (QCheckBox* box : {printPageNumbers_, printBand_[0], printBand_[1]}) {
    connect(box, &QCheckBox::toggled, this, &CDlgPrintSet::EnableDependents);
  }
  connect(firstPageNumber_, &QSpinBox::editingFinished, this, &CDlgPrintSet::CheckFirstPageNumber);
  for (int band = 0; band < 2; ++band) {
    connect(bandHeight_[band], &QSpinBox::editingFinished, this, [this, band] { CheckBandHeight(band); });
    // A margin made smaller than its printed band is caught where it happens too.
    connect(margins_[band == 0 ? 0 : 2], &QSpinBox::editingFinished, this, [this, band] {
      if (printBand_[band]->isChecked()) CheckBandHeight(band);
    });
  }
}

QWidget* CDlgPrintSet::BuildMarginGroup() {
  auto* box = new QGroupBox(QStringLiteral("页边距(mm)"));
  auto* grid = new QGridLayout(box);
  const char* names[] = {"topMargin", "leftMargin", "bottomMargin", "rightMargin"};
  const QString labels[] = {QStringLiteral("上"), QStringLiteral("左"), QStringLiteral("下"), QStringLiteral("右")};
  for (int i = 0; i < 4; ++i) {
    margins_[i] = Spin(names[i], kLengthMax, kLengthMax);
    Row(grid, i / 2, 2 * (i % 2), labels[i], margins_[i]);
  }
  gutter_ = Spin("gutter", kLengthMax, kLengthMax);
  Row(grid, 2, 0, QStringLiteral("装订线"), gutter_);
  gutterPosition_ = Combo("gutterPosition", {QStringLiteral("左侧"), QStringLiteral("上侧")});
  Row(grid, 2, 2, QStringLiteral("装订线位置"), gutterPosition_);
  borderWidth_ = NumberEdit("borderWidth");
  Row(grid, 3, 0, QStringLiteral("边框"), borderWidth_);
  gridWidth_ = NumberEdit("gridWidth");
  Row(grid, 3, 2, QStringLiteral("网格"), gridWidth_);
  return box;
}

QWidget* CDlgPrintSet::BuildContentGroup() {
  auto* box = new QGroupBox(QStringLiteral("打印内容"));
  auto* grid = new QGridLayout(box);
  printReport_ = Check("printReportPages", QStringLiteral("结果表"));
  printWaveTrain_ = Check("printWaveTrainPages", QStringLiteral("波列图"));
  printCurve_ = Check("printCurvePages", QStringLiteral("曲线图"));
  grid->addWidget(printReport_, 0, 0);
  grid->addWidget(printWaveTrain_, 0, 1);
  grid->addWidget(printCurve_, 0, 2);
  waveTrainPaging_ =
      Combo("waveTrainPaging", {QStringLiteral("整桩打印"), QStringLiteral("20米/页"), QStringLiteral("30米/页")});
  grid->addWidget(waveTrainPaging_, 1, 1, 1, 2);
  curveEnable_ = Check("curveEnable", QString());
  curveEnable_->setEnabled(false);  // reserved
  curveType_ = Combo("curveType", {QStringLiteral("V-H曲线")});
  curveParameter_ = NumberEdit("curveParameter");
  grid->addWidget(curveEnable_, 2, 0);
  grid->addWidget(curveType_, 2, 1);
  grid->addWidget(curveParameter_, 2, 2);
  instrumentModel_ = Combo("instrumentModel", {});
  instrumentNumber_ = NumberEdit("instrumentNumber");
  grid->addWidget(new QLabel(QStringLiteral("仪器型号")), 3, 0);
  grid->addWidget(instrumentModel_, 3, 1);
  grid->addWidget(instrumentNumber_, 3, 2);
  headerBlockFormat_ = Combo("headerBlockFormat", {QStringLiteral("格式1"), QStringLiteral("格式2")});
  grid->addWidget(headerBlockFormat_, 4, 1);
  return box;
}

QWidget* CDlgPrintSet::BuildPageNumberGroup() {
  auto* box = new QGroupBox;
  auto* grid = new QGridLayout(box);
  printPageNumbers_ = Check("printPageNumbers", QStringLiteral("   打印页码"));
  grid->addWidget(printPageNumbers_, 0, 0, 1, 2);
  pageNumberPosition_ = Combo("pageNumberPosition", {QStringLiteral("底部左侧"), QStringLiteral("底部居中"),
                                                     QStringLiteral("底部右侧")});
  Row(grid, 1, 0, QStringLiteral("页码位置"), pageNumberPosition_);
  firstPageNumber_ = Spin("firstPageNumber", kPageNumberMax, kPageNumberTyped);
  Row(grid, 2, 0, QStringLiteral("起始页码"), firstPageNumber_);
  pageNumberFormat_ = Combo("pageNumberFormat", {QStringLiteral("123"), QStringLiteral("I II III")});
  Row(grid, 3, 0, QStringLiteral("页码格式"), pageNumberFormat_);
  return box;
}

QWidget* CDlgPrintSet::BuildHeaderGroup(bool footer) {
  const int i = footer ? 1 : 0;
  const QString prefix = footer ? QStringLiteral("footer") : QStringLiteral("header");
  auto name = [&prefix](const char* what) { return (prefix + what).toLatin1(); };
  auto* box = new QGroupBox;
  auto* grid = new QGridLayout(box);
  printBand_[i] = Check(footer ? "printFooter" : "printHeader",
                        footer ? QStringLiteral("     打印页脚") : QStringLiteral("   打印页眉"));
  grid->addWidget(printBand_[i], 0, 0, 1, 4);
  bandHeight_[i] = Spin(name("Height").constData(), kLengthMax, kLengthMax);
  Row(grid, 1, 0, QStringLiteral("高度"), bandHeight_[i]);
  bandPosition_[i] = Combo(name("Position").constData(),
                           {QStringLiteral("左侧"), QStringLiteral("居中"), QStringLiteral("右侧")});
  Row(grid, 1, 2, QStringLiteral("位置"), bandPosition_[i]);
  bandFont_[i] = Combo(name("Font").constData(), {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("隶书"),
                                                  QStringLiteral("仿宋_GB2312"), QStringLiteral("楷体_GB2312")});
  Row(grid, 2, 0, QStringLiteral("字体"), bandFont_[i]);
  bandText_[i] = new QLineEdit;
  bandText_[i]->setObjectName(QString::fromLatin1(name("Text")));
  grid->addWidget(new QLabel(footer ? QStringLiteral("页脚内容") : QStringLiteral("页眉内容")), 3, 0);
  grid->addWidget(bandText_[i], 3, 1, 1, 3);
  return box;
}

void CDlgPrintSet::ShowRecord(const PageSetup& s) {
  const int32_t margins[] = {s.topMargin, s.leftMargin, s.bottomMargin, s.rightMargin};
  for (int i = 0; i < 4; ++i) margins_[i]->setValue(margins[i]);
  gutter_->setValue(s.gutter);
  Select(gutterPosition_, s.gutterPosition);
  borderWidth_->setText(QString::number(s.borderWidth));
  gridWidth_->setText(QString::number(s.gridWidth));
  curveEnable_->setChecked(s.curveEnable != 0);
  Select(curveType_, s.curveType);
  curveParameter_->setText(QString::number(s.curveParameter));
  printReport_->setChecked(s.printReportPages != 0);
  printWaveTrain_->setChecked(s.printWaveTrainPages != 0);
  printCurve_->setChecked(s.printCurvePages != 0);
  Select(waveTrainPaging_, s.waveTrainPaging);
  instrumentNumber_->setText(QString::number(s.instrumentNumber));
  Select(headerBlockFormat_, s.headerBlockFormat);
  printPageNumbers_->setChecked(s.printPageNumbers != 0);
  Select(pageNumberPosition_, s.pageNumberPosition);
  firstPageNumber_->setValue(s.firstPageNumber);
  Select(pageNumberFormat_, s.pageNumberFormat);
  const int32_t on[] = {s.printHeader, s.printFooter};
  const int32_t heights[] = {s.headerHeight, s.footerHeight};
  const int32_t positions[] = {s.headerPosition, s.footerPosition};
  const int32_t fonts[] = {s.headerFont, s.footerFont};
  const std::string* texts[] = {&s.headerText, &s.footerText};
  for (int i = 0; i < 2; ++i) {
    printBand_[i]->setChecked(on[i] != 0);
    bandHeight_[i]->setValue(heights[i]);
    Select(bandPosition_[i], positions[i]);
    Select(bandFont_[i], fonts[i]);
    bandText_[i]->setText(QString::fromStdString(*texts[i]));
  }
  EnableDependents();
}

void CDlgPrintSet::ReadControls(PageSetup& s) const {
  int32_t* margins[] = {&s.topMargin, &s.leftMargin, &s.bottomMargin, &s.rightMargin};
  for (int i = 0; i < 4; ++i) *margins[i] = margins_[i]->value();
  s.gutter = gutter_->value();
  s.gutterPosition = Index(gutterPosition_);
  s.borderWidth = borderWidth_->text().toInt();
  s.gridWidth = gridWidth_->text().toInt();
  s.curveType = Index(curveType_);
  s.curveParameter = curveParameter_->text().toInt();
  s.printReportPages = printReport_->isChecked() ? 1 : 0;
  s.printWaveTrainPages = printWaveTrain_->isChecked() ? 1 : 0;
  s.printCurvePages = printCurve_->isChecked() ? 1 : 0;
  s.waveTrainPaging = Index(waveTrainPaging_);
  s.instrumentNumber = instrumentNumber_->text().toInt();
  // An instrument the dialog does not know offers no model; the stored one stays.
  if (instrumentModel_->count() > 0) s.instrumentModel = instrumentModel_->currentText().toStdString();
  s.headerBlockFormat = Index(headerBlockFormat_);
  s.printPageNumbers = printPageNumbers_->isChecked() ? 1 : 0;
  s.pageNumberPosition = Index(pageNumberPosition_);
  s.firstPageNumber = firstPageNumber_->value();
  s.pageNumberFormat = Index(pageNumberFormat_);
  int32_t* on[] = {&s.printHeader, &s.printFooter};
  int32_t* heights[] = {&s.headerHeight, &s.footerHeight};
  int32_t* positions[] = {&s.headerPosition, &s.footerPosition};
  int32_t* fonts[] = {&s.headerFont, &s.footerFont};
  std::string* texts[] = {&s.headerText, &s.footerText};
  for (int i = 0; i < 2; ++i) {
    *on[i] = printBand_[i]->isChecked() ? 1 : 0;
    *heights[i] = bandHeight_[i]->value();
    *positions[i] = Index(bandPosition_[i]);
    *fonts[i] = Index(bandFont_[i]);
    *texts[i] = bandText_[i]->text().toStdString();
  }
}

void CDlgPrintSet::EnableDependents() {
  const bool numbers = printPageNumbers_->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{pageNumberPosition_, firstPageNumber_, pageNumberFormat_}) {
    w->setEnabled(numbers);
  }
  for (int i = 0; i < 2; ++i) {
    const bool on = printBand_[i]->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{bandHeight_[i], bandPosition_[i], bandFont_[i], bandText_[i]}) {
      w->setEnabled(on);
    }
  }
}

bool CDlgPrintSet::Refuse(const char* message, QSpinBox* field, int value) {
  checking_ = true;
  doc_.Ui().Message(message, MessageButtons::Ok);
  field->setValue(value);
  checking_ = false;
  return false;
}

bool CDlgPrintSet::CheckFirstPageNumber() {
  if (checking_ || firstPageNumber_->value() <= kPageNumberMax) return true;
  return Refuse(kPageNumberMessage, firstPageNumber_, doc_.pageSetup.firstPageNumber);
}

bool CDlgPrintSet::CheckBandHeight(int band) {
  QSpinBox* margin = margins_[band == 0 ? 0 : 2];
  if (checking_ || margin->value() >= bandHeight_[band]->value()) return true;
  return Refuse(band == 0 ? kHeaderHeightMessage : kFooterHeightMessage, bandHeight_[band], margin->value());
}

void CDlgPrintSet::accept() {
  // A value typed but not yet left is checked as leaving it would.
  if (!CheckFirstPageNumber()) return;
  for (int band = 0; band < 2; ++band) {
    if (printBand_[band]->isChecked() && !CheckBandHeight(band)) return;
  }
  PageSetup s = doc_.pageSetup;
  ReadControls(s);
  if (s.sectionsPerPage == 0) {
    doc_.Ui().Message(kSectionsPerPageMessage, MessageButtons::Ok);
    return;
  }
  doc_.pageSetup = s;
  if (repaint_) repaint_();
  QDialog::accept();
}

void CDlgPrintSet::reject() {
  doc_.pageSetup = backup_;
  QDialog::reject();
}

}  // namespace tarnix
