#pragma once
// What the word-processor stand-in builds before it writes a .docx: paragraphs
// and tables in reading order, tables on a grid whose cells merge across
// columns and rows, pictures held by value, and the paragraphs that close a
// section. Nothing here knows the file format.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/automation/picture_file.h"

namespace tarnix::automation {

struct RunFormat {
  std::string font;  // empty: the document's default face
  bool bold = false;
  double size = 10.5;  // points
  bool operator==(const RunFormat&) const = default;
};

struct ParagraphFormat {
  int alignment = 0;  // 0 left, 1 centre, 2 right, 3 justified
  RunFormat mark;     // what text typed into the paragraph takes
};

// A text or a picture.
struct Run {
  std::string text;
  std::shared_ptr<const Picture> picture;
  RunFormat format;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Run> runs;
  bool endsSection = false;  // a next-page section break follows it
};

struct Table;
using Block = std::variant<Paragraph, std::shared_ptr<Table>>;
using Blocks = std::vector<Block>;

struct TableCell {
  Blocks content;  // never empty: a cell holds at least one paragraph
  int colSpan = 1;
  int rowSpan = 1;
  bool covered = false;  // inside another cell's merged area
  int verticalAlignment = 0;  // 0 top, 1 centre, 3 bottom
};

struct Table {
  Table(int rows, int columns, const ParagraphFormat& format);

  int rows = 0;
  int columns = 0;
  int alignment = 0;  // of the rows on the page: 0 left, 1 centre, 2 right
  bool borders = false;
  std::vector<TableCell> cells;  // row by row over the grid

  TableCell& At(int row, int column) { return cells[static_cast<size_t>(row * columns + column)]; }
  const TableCell& At(int row, int column) const { return cells[static_cast<size_t>(row * columns + column)]; }
  // The cell whose area holds the grid position.
  bool Origin(int row, int column, int& originRow, int& originColumn) const;
  // The grid column of the index-th cell of a row as the row shows its cells
  // (a merged cell counts once; the rows below a vertical merge still show
  // it); -1 when there is none.
  int GridColumn(int row, int index) const;
  // Merges the area from the cell at (row1, column1) to the one at (row2,
  // column2), grid positions; the texts of the cells join as paragraphs. False
  // when the area would cut through a merged cell.
  bool Merge(int row1, int column1, int row2, int column2);
};

struct WordDocument {
  WordDocument();
  Blocks body;  // ends with a paragraph
};

// The text of a cell's paragraphs as one run of `format`, split into
// paragraphs at line breaks.
void SetText(Blocks& content, const std::string& text, const ParagraphFormat& format);

}  // namespace tarnix::automation
