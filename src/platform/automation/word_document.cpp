#include "platform/automation/word_document.h"

namespace tarnix::automation {
namespace {

bool IsEmptyParagraph(const Block& b) {
  const Paragraph* p = std::get_if<Paragraph>(&b);
  return p != nullptr && p->runs.empty();
}

}  // namespace

Table::Table(int rowCount, int columnCount, const ParagraphFormat& format)
    : rows(rowCount), columns(columnCount), cells(static_cast<size_t>(rowCount * columnCount)) {
  for (TableCell& c : cells) c.content.push_back(Paragraph{format, {}, false});
}

bool Table::Origin(int row, int column, int& originRow, int& originColumn) const {
  for (int r = row; r >= 0; --r) {
    for (int c = column; c >= 0; --c) {
      const TableCell& cell = At(r, c);
      if (!cell.covered && r + cell.rowSpan > row && c + cell.colSpan > column) {
        originRow = r;
        originColumn = c;
        return true;
      }
    }
  }
  return false;
}

int Table::GridColumn(int row, int index) const {
  if (row < 0 || row >= rows || index < 0) return -1;
  int shown = 0;
  for (int c = 0; c < columns;) {
    // A cell merged from above still shows in this row.
    int r0 = row, c0 = c;
    if (!Origin(row, c, r0, c0)) return -1;
    if (shown++ == index) return c;
    c = c0 + At(r0, c0).colSpan;
  }
  return -1;
}

bool Table::Merge(int row1, int column1, int row2, int column2) {
  const auto inside = [&](int r, int c) { return r >= 0 && r < rows && c >= 0 && c < columns; };
  if (!inside(row1, column1) || !inside(row2, column2)) return false;
  int r0 = 0, c0 = 0;
  if (!Origin(row2, column2, r0, c0)) return false;
  const int lastRow = r0 + At(r0, c0).rowSpan - 1;
  const int lastColumn = c0 + At(r0, c0).colSpan - 1;
  if (row1 > lastRow || column1 > lastColumn) return false;
  // Every cell of the area must lie wholly inside it.
  for (int r = row1; r <= lastRow; ++r) {
    for (int c = column1; c <= lastColumn; ++c) {
      if (!Origin(r, c, r0, c0) || r0 < row1 || c0 < column1 || r0 + At(r0, c0).rowSpan - 1 > lastRow ||
          c0 + At(r0, c0).colSpan - 1 > lastColumn) {
        return false;
      }
    }
  }
  const Paragraph first = std::get_if<Paragraph>(&At(row1, column1).content.front())
                              ? std::get<Paragraph>(At(row1, column1).content.front())
                              : Paragraph{};
  Blocks joined;
  for (int r = row1; r <= lastRow; ++r) {
    for (int c = column1; c <= lastColumn; ++c) {
      TableCell& cell = At(r, c);
      if (cell.covered) continue;
      // An empty cell adds nothing, as the word processor merges.
      const bool empty = cell.content.size() == 1 && IsEmptyParagraph(cell.content.front());
      if (!empty) joined.insert(joined.end(), cell.content.begin(), cell.content.end());
      cell.content.clear();
      cell.covered = true;
      cell.colSpan = cell.rowSpan = 1;
    }
  }
  if (joined.empty()) joined.push_back(Paragraph{first.format, {}, false});
  TableCell& target = At(row1, column1);
  target.content = std::move(joined);
  target.covered = false;
  target.colSpan = lastColumn - column1 + 1;
  target.rowSpan = lastRow - row1 + 1;
  return true;
}

WordDocument::WordDocument() { body.push_back(Paragraph{}); }

void SetText(Blocks& content, const std::string& text, const ParagraphFormat& format) {
  content.clear();
  Paragraph p{format, {}, false};
  auto flush = [&] {
    content.push_back(p);
    p.runs.clear();
  };
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      if (!line.empty()) p.runs.push_back(Run{line, nullptr, format.mark});
      line.clear();
      flush();
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += ch;
    }
  }
  if (!line.empty()) p.runs.push_back(Run{line, nullptr, format.mark});
  flush();
}

}  // namespace tarnix::automation
