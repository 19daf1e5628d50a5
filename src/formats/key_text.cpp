#include "formats/key_text.h"

#include "formats/text_codec.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

std::string WithoutSpaces(std::u32string_view s) {
  std::u32string kept;
  kept.reserve(s.size());
  for (char32_t c : s) {
    if (c != U' ') kept += c;
  }
  return Utf32ToUtf8(kept);
}

}  // namespace

KeyText KeyText::FromFileBytes(std::string_view bytes) {
  std::u32string text = DecodeGbk(bytes);
  LowerInPlace(text);
  return KeyText(std::move(text));
}

size_t KeyText::Find(std::string_view utf8) const {
  std::u32string key = Utf8ToUtf32(utf8);
  LowerInPlace(key);
  return text_.find(key);
}

std::string KeyText::KeyString(std::string_view key) const {
  const size_t at = Find(key);
  if (at == std::u32string::npos) return {};
  const size_t start = at + Utf8ToUtf32(key).size();
  size_t end = text_.find(U"\r\n", start);
  if (end == std::u32string::npos) end = text_.size();
  return WithoutSpaces(std::u32string_view(text_).substr(start, end - start));
}

float KeyText::KeyFloat(std::string_view key) const {
  return static_cast<float>(CToFloat(KeyString(key)));
}

int KeyText::KeyInt(std::string_view key) const { return CToInt(KeyString(key)); }

TextColumn KeyText::Column(std::string_view header, size_t width, size_t rowWidth) const {
  TextColumn c;
  c.pos = Find(header);
  c.width = width;
  c.rowWidth = rowWidth;
  return c;
}

std::u32string_view KeyText::Slice(size_t pos, size_t count) const {
  if (pos >= text_.size()) return {};
  return std::u32string_view(text_).substr(pos, count);
}

std::string KeyText::Compact(size_t pos, size_t count) const {
  return WithoutSpaces(Slice(pos, count));
}

std::string KeyText::Cell(const TextColumn& column, int row) const {
  if (!column.Found()) return {};
  return Compact(column.CellStart(row), column.width);
}

void KeyText::ReadCell(const TextColumn& column, int row, float& target) const {
  const std::string cell = Cell(column, row);
  if (!cell.empty()) target = static_cast<float>(CToFloat(cell));
}

void KeyText::ReadCell(const TextColumn& column, int row, int& target) const {
  const std::string cell = Cell(column, row);
  if (!cell.empty()) target = CToInt(cell);
}

}  // namespace tarnix
