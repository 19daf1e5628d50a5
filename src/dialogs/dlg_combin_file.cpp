#include "dialogs/dlg_combin_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

#include "base/c_text.h"
#include "dialogs/pipe_diagram.h"
#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

float Number(const QString& text) {
  const double v = CToFloat(text.left(19).toStdString());
  return std::isfinite(v) ? static_cast<float>(v) : 0.0f;
}

QLineEdit* Field(const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  return edit;
}

QComboBox* List(const char* name) {
  auto* box = new QComboBox;
  box->setObjectName(QLatin1String(name));
  box->setEditable(true);
  return box;
}

void ShowList(QComboBox* box, const std::vector<std::string>& values, const std::string& current) {
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& v : values) box->addItem(Q(v));
  box->setCurrentText(Q(current));
}

}  // namespace

void CDlgCombinFile::Run(CTarnixDoc& doc, QWidget* parent) {
  CDlgCombinFile dialog(doc, parent);
  dialog.exec();
}

CDlgCombinFile::CDlgCombinFile(CTarnixDoc& doc, QWidget* parent) : QDialog(parent), merge_(doc.Ui()) {
  setWindowTitle(QStringLiteral("合并文件"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  files_ = new QFileSystemModel(this);
  files_->setRootPath(QDir::rootPath());
  // Exactly these upper-case extensions, as the instrument names its files.
  files_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::CaseSensitive);
  files_->setNameFilters({QStringLiteral("*.CHT"), QStringLiteral("*.CHS"), QStringLiteral("*.RTX")});
  files_->setNameFilterDisables(false);
  tree_ = new QTreeView;
  tree_->setObjectName(QStringLiteral("folders"));
  tree_->setModel(files_);
  for (int c = 1; c < files_->columnCount(); ++c) tree_->hideColumn(c);
  tree_->header()->hide();
  tree_->setMinimumWidth(280);
  const QModelIndex home = files_->index(QDir::currentPath());
  tree_->setCurrentIndex(home);
  tree_->expand(home);
  tree_->scrollTo(home);
  connect(tree_, &QTreeView::doubleClicked, this, &CDlgCombinFile::OnTreeDoubleClick);

  inst_ = Field("inst");
  holeId_ = Field("holeId");
  depth_ = Field("holeDepth");
  pileD_ = Field("pileD");
  date_ = Field("date");
  aporeDeg_ = Field("aporeDeg");
  site_ = List("site");
  unit_ = List("unit");
  person_ = List("person");
  autoPipes_ = new QCheckBox(QStringLiteral("自动设定管数"));
  autoPipes_->setObjectName(QStringLiteral("autoPipes"));
  autoPipes_->setChecked(merge_.AutoPipeCount());
  pipes_ = new QComboBox;
  pipes_->setObjectName(QStringLiteral("pipes"));
  for (int n = FileMerge::kMinPipeCount; n <= kMaxPipes; ++n) pipes_->addItem(QString::number(n));
  pipes_->setEnabled(!merge_.AutoPipeCount());
  connect(autoPipes_, &QCheckBox::toggled, this, &CDlgCombinFile::OnAutoPipeCount);
  connect(pipes_, &QComboBox::activated, this, &CDlgCombinFile::OnPipeCount);
  connect(aporeDeg_, &QLineEdit::textEdited, this, &CDlgCombinFile::OnAporeDeg);

  auto* fields = new QGridLayout;
  const std::pair<const char*, QWidget*> cells[] = {
      {"仪器", inst_},         {"孔号", holeId_},     {"孔深(m)", depth_},   {"孔径(mm)", pileD_},
      {"日期", date_},         {"偏移角", aporeDeg_}, {"项目名称", site_},   {"检测单位", unit_},
      {"检测人员", person_},   {"管数", pipes_}};
  for (int i = 0; i < 10; ++i) {
    fields->addWidget(new QLabel(QString::fromUtf8(cells[i].first)), i / 2, (i % 2) * 2);
    fields->addWidget(cells[i].second, i / 2, (i % 2) * 2 + 1);
  }
  fields->addWidget(autoPipes_, 5, 0, 1, 2);

  diagram_ = new CPipeDiagram;
  auto* top = new QHBoxLayout;
  top->addLayout(fields, 1);
  top->addWidget(diagram_);

  auto* rowsBox = new QGroupBox(QStringLiteral("并入"));
  auto* rows = new QGridLayout(rowsBox);
  rows->addWidget(new QLabel(QStringLiteral("剖面")), 0, 0);
  rows->addWidget(new QLabel(QStringLiteral("并入")), 0, 1);
  rows->addWidget(new QLabel(QStringLiteral("合并后")), 0, 2);
  for (int i = 0; i < kSectionCount; ++i) {
    labels_[i] = new QLabel;
    labels_[i]->setMinimumWidth(40);
    targets_[i] = new QComboBox;
    targets_[i]->setObjectName(QStringLiteral("target%1").arg(i));
    targets_[i]->setMinimumWidth(110);
    merged_[i] = new QLabel;
    merged_[i]->setObjectName(QStringLiteral("merged%1").arg(i));
    rows->addWidget(labels_[i], i + 1, 0);
    rows->addWidget(targets_[i], i + 1, 1);
    rows->addWidget(merged_[i], i + 1, 2);
    connect(targets_[i], &QComboBox::activated, this, [this, i](int entry) { OnTarget(i, entry); });
  }
  rows->setColumnStretch(2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const std::pair<const char*, void (CDlgCombinFile::*)()> actions[] = {
      {"合并", &CDlgCombinFile::OnMerge}, {"清除", &CDlgCombinFile::OnClear}, {"保存", &CDlgCombinFile::OnSave}};
  for (const auto& [text, handler] : actions) {
    auto* b = new QPushButton(QString::fromUtf8(text));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, handler);
    buttons->addWidget(b);
  }
  auto* close = new QPushButton(QStringLiteral("退出"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(close);

  auto* right = new QVBoxLayout;
  right->addLayout(top);
  right->addWidget(rowsBox, 1);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addLayout(right, 2);
  Refresh();
}

void CDlgCombinFile::OnTreeDoubleClick(const QModelIndex& index) {
  if (!files_->isDir(index)) LoadFile(files_->filePath(index));
}

void CDlgCombinFile::LoadFile(const QString& path) {
  StoreFields();
  if (merge_.Load(path.toStdString())) Refresh();
}

void CDlgCombinFile::OnAutoPipeCount(bool on) {
  merge_.SetAutoPipeCount(on);
  pipes_->setEnabled(!on);
  if (!on) OnPipeCount(pipes_->currentIndex());
}

void CDlgCombinFile::OnPipeCount(int entry) {
  merge_.SetPipeCount(entry + FileMerge::kMinPipeCount);
  RefreshRows();
}

void CDlgCombinFile::OnTarget(int row, int entry) {
  // A target another row has already puts this row back to its choice.
  merge_.Choose(row, targets_[row]->itemText(entry).toStdString());
  const QSignalBlocker block(targets_[row]);
  targets_[row]->setCurrentIndex(merge_.Row(row).choice);
}

void CDlgCombinFile::OnAporeDeg(const QString& text) {
  merge_.SetAporeDeg(CToInt(text.left(19).toStdString()));
  RefreshRows();
}

void CDlgCombinFile::OnMerge() {
  StoreFields();
  merge_.Merge(HoleDepth());
  Refresh();
}

void CDlgCombinFile::OnClear() {
  merge_.Clear();
  Refresh();
}

void CDlgCombinFile::OnSave() {
  StoreFields();
  merge_.Save(HoleDepth());
  Refresh();
}

float CDlgCombinFile::HoleDepth() const { return Number(depth_->text()); }

void CDlgCombinFile::StoreFields() {
  MergeFields& f = merge_.Fields();
  f.inst = inst_->text().toStdString();
  f.holeId = holeId_->text().toStdString();
  f.date = date_->text().toStdString();
  f.holeDepth = HoleDepth();
  f.pileD = Number(pileD_->text());
  f.site = site_->currentText().toStdString();
  f.unit = unit_->currentText().toStdString();
  f.person = person_->currentText().toStdString();
}

void CDlgCombinFile::Refresh() {
  const MergeFields& f = merge_.Fields();
  inst_->setText(Q(f.inst));
  holeId_->setText(Q(f.holeId));
  date_->setText(Q(f.date));
  depth_->setText(merge_.HasLoaded() ? Q(CFormat("%.2f", f.holeDepth)) : QString());
  pileD_->setText(merge_.HasLoaded() ? Q(CFormat("%.2f", f.pileD)) : QString());
  aporeDeg_->setText(Q(CFormat("%d", f.aporeDeg)));
  ShowList(site_, merge_.Sites(), f.site);
  ShowList(unit_, merge_.Units(), f.unit);
  ShowList(person_, merge_.Persons(), f.person);
  const QSignalBlocker block(pipes_);
  pipes_->setCurrentIndex(merge_.PipeCount() - FileMerge::kMinPipeCount);
  RefreshRows();
}

void CDlgCombinFile::RefreshRows() {
  for (int i = 0; i < kSectionCount; ++i) {
    const MergeRow& row = merge_.Row(i);
    labels_[i]->setText(Q(row.label));
    const QSignalBlocker block(targets_[i]);
    targets_[i]->clear();
    for (const std::string& t : row.targets) targets_[i]->addItem(Q(t));
    targets_[i]->setCurrentIndex(row.choice);
    targets_[i]->setEnabled(row.Enabled());
    merged_[i]->setText(Q(merge_.MergedSource(i)));
  }
  diagram_->Show(merge_.PipeCount(), merge_.Fields().aporeDeg, merge_.MergedPairs());
}

}  // namespace tarnix
