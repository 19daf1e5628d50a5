#include "report/word_office.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/automation/word_server.h"

namespace tarnix {
namespace {

using namespace automation;

struct CellText {
  int row;
  int column;  // as the table was added, before any merge
  std::string text;
};

std::string Upper(const std::string& s) { return QString::fromStdString(s).toUpper().toStdString(); }
std::string Date10(const std::string& s) { return s.substr(0, std::min<size_t>(s.size(), 10)); }

std::vector<CellText> HeaderCells(const TestHeader& h, int format) {
  if (format == 0) {
    return {{1, 1, "工程名称：" + h.site},     {1, 2, "测试日期：" + Date10(h.date)},
            {2, 1, "测试单位：" + h.unit},     {2, 2, "测试人员：" + h.person},
            {3, 1, "钻孔编号：" + h.m_holeID}, {3, 2, "测试仪器：" + Upper(h.inst)}};
  }
  return {{1, 1, "工程名称：" + h.site},        {1, 3, "测试日期：" + Date10(h.date)},
          {2, 1, "测试单位：" + h.unit},        {2, 3, "测试人员：" + h.person},
          {3, 1, "钻孔编号：" + h.m_holeID},    {3, 2, "钻孔日期：" + Date10(h.m_holeDate)},
          {3, 4, "测试仪器：" + Upper(h.inst)}, {4, 1, "孔口高程：" + h.m_holeHeight},
          {4, 2, "坐标(m)"},                    {4, 4, "X=" + h.m_holeX},
          {5, 1, "钻孔深度：" + h.m_holeDepth}, {5, 4, "Y=" + h.m_holeY}};
}

// Format 2's merges, each pair (row, cell) to (row, cell) as the word
// processor counts the cells at that moment: right before left and each area
// before it could shift another's cells, so that the counts stay those of the
// grid as added.
struct MergePair {
  int row1, cell1, row2, cell2;
};
constexpr MergePair kFormat2Merges[] = {{1, 3, 1, 4}, {1, 1, 1, 2}, {2, 3, 2, 4},
                                        {2, 1, 2, 2}, {3, 2, 3, 3}, {4, 2, 5, 3}};

Variant I(int v) { return std::int32_t{v}; }

DispatchPtr CellAt(const DispatchPtr& table, int row, int column) {
  return AsObject(Call(table, word::kCell, {I(row), I(column)}));
}

}  // namespace

CWordOffice::CWordOffice(ServerFactory& servers, UiServices& ui) : servers_(servers), ui_(ui) {}

CWordOffice::~CWordOffice() { Release(); }

void CWordOffice::Release() {
  range_.reset();
  selection_.reset();
  document_.reset();
  documents_.reset();
  app_.reset();
}

bool CWordOffice::Fail(const char* message) {
  ui_.Warning(message);
  Call(app_, word::kQuit, {I(0), I(1), I(0)});  // do not save, keep the format, no routing
  Release();
  return false;
}

bool CWordOffice::Start() {
  app_ = servers_.Create("Word.Application");
  if (!app_) return Fail("Application创建失败，请确保安装了word 2000或以上版本!");
  Get(app_, word::kVersion);  // asked as the word processor's clients do; the report needs no version
  documents_ = AsObject(Get(app_, word::kDocuments));
  if (!documents_) return Fail("Documents创建失败!");
  Call(documents_, word::kAdd, {std::string(), false, I(0), Missing{}});
  document_ = AsObject(Get(app_, word::kActiveDocument));
  if (!document_) return Fail("Document获取失败!");
  selection_ = AsObject(Get(app_, word::kSelection));
  if (!selection_) return Fail("Select获取失败!");
  range_ = AsObject(Call(document_, word::kDocumentRange, {Missing{}, Missing{}}));
  if (!range_) return Fail("Range获取失败!");
  Put(app_, word::kVisible, true);
  return true;
}

void CWordOffice::AddPage(const TestHeader& header, int format, const std::string& picture, bool last) {
  const bool first = format == 0;
  if (first) Call(selection_, word::kTypeParagraph);
  Put(AsObject(Get(selection_, word::kParagraphFormat)), word::kAlignment, I(0));
  const DispatchPtr font = AsObject(Get(selection_, word::kFont));
  Put(font, word::kFontName, std::string("宋体"));
  Put(font, word::kBold, false);
  Put(font, word::kSize, first ? 11.0 : 10.0);
  const Variant at = Get(selection_, word::kSelectionRange);
  const DispatchPtr tables = AsObject(Get(selection_, word::kTables));
  const int rows = first ? 4 : 6;
  const int columns = first ? 2 : 4;
  const DispatchPtr table = AsObject(Call(tables, word::kAddTable, {at, I(rows), I(columns), Missing{}, Missing{}}));
  Put(AsObject(Get(table, word::kRows)), word::kRowAlignment, I(1));
  Put(AsObject(Get(table, word::kBorders)), word::kEnable, I(1));
  Put(AsObject(Get(AsObject(Get(table, word::kTableRange)), word::kCells)), word::kVerticalAlignment, I(1));
  for (const CellText& c : HeaderCells(header, format)) {
    Put(AsObject(Get(CellAt(table, c.row, c.column), word::kCellRange)), word::kText, c.text);
  }
  if (!first) {
    for (const MergePair& m : kFormat2Merges) {
      Call(CellAt(table, m.row1, m.cell1), word::kMerge, {CellAt(table, m.row2, m.cell2)});
    }
  }
  const DispatchPtr pictureCell = CellAt(table, rows, 1);
  Call(pictureCell, word::kMerge, {CellAt(table, rows, columns)});
  Call(AsObject(Get(pictureCell, word::kCellRange)), word::kSelect);
  for (int i = first ? 2 : 1; i > 0; --i) Call(selection_, word::kTypeParagraph);
  if (!picture.empty()) {
    const DispatchPtr shapes = AsObject(Get(AsObject(Get(selection_, word::kSelectionRange)), word::kInlineShapes));
    Call(shapes, word::kAddPicture, {picture, false, true, Missing{}});
  }
  if (!last) {
    Call(selection_, word::kEndKey, {I(word::kStory), I(0)});
    Call(selection_, word::kInsertBreak, {I(word::kSectionBreakNextPage)});
  }
}

}  // namespace tarnix
