#pragma once
// The lower-cased text of a data file and its two look-ups: key lines
// ("SITE     :value") and fixed-width table columns found by their header text.
// Positions and widths count characters of the decoded text.
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnix {

// A table column located once by its header; cells are read per row from it.
struct TextColumn {
  size_t pos = std::u32string::npos;  // position of the header text; npos = absent
  size_t width = 0;
  size_t rowWidth = 0;
  bool Found() const { return pos != std::u32string::npos; }
  // Start of row r's cell (r = 0 is the first row under the header).
  size_t CellStart(int row) const { return pos + rowWidth * (row + 1); }
};

class KeyText {
 public:
  // Decodes file bytes (NUL as space) and lower-cases them.
  static KeyText FromFileBytes(std::string_view bytes);
  explicit KeyText(std::u32string lowered) : text_(std::move(lowered)) {}

  size_t Length() const { return text_.size(); }
  // First occurrence of the (lower-cased) UTF-8 text; npos when absent.
  size_t Find(std::string_view utf8) const;
  bool Contains(std::string_view utf8) const { return Find(utf8) != std::u32string::npos; }

  // Value of a key line without its spaces; empty when the key is absent.
  std::string KeyString(std::string_view key) const;
  float KeyFloat(std::string_view key) const;
  int KeyInt(std::string_view key) const;

  TextColumn Column(std::string_view header, size_t width, size_t rowWidth) const;
  // A cell without its spaces; empty when the column is absent or the cell lies
  // beyond the end of the text.
  std::string Cell(const TextColumn& column, int row) const;
  // Read a cell into target; an empty cell leaves target unchanged.
  void ReadCell(const TextColumn& column, int row, float& target) const;
  void ReadCell(const TextColumn& column, int row, int& target) const;

  // Characters [pos, pos + count) clipped to the text, spaces kept.
  std::u32string_view Slice(size_t pos, size_t count) const;
  // The same without spaces, as UTF-8.
  std::string Compact(size_t pos, size_t count) const;

 private:
  std::u32string text_;
};

}  // namespace tarnix
