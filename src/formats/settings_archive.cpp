#include "formats/settings_archive.h"

#include <cstring>

#include "formats/text_codec.h"

namespace tarnix {
namespace {

// No setting is anywhere near this long; a larger length is damage.
constexpr uint32_t kMaxStringUnits = 1u << 20;

void PutLe(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetLe(const char* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  for (char32_t c : Utf8ToUtf32(utf8)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string FromUtf16(const std::u16string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      out += 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else {
      out += c;
    }
  }
  return Utf32ToUtf8(out);
}

}  // namespace

void ArchiveWriter::Int32(int32_t v) { PutLe(bytes_, static_cast<uint32_t>(v), 4); }

void ArchiveWriter::Float(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutLe(bytes_, bits, 4);
}

void ArchiveWriter::Byte(uint8_t v) { bytes_ += static_cast<char>(v); }

void ArchiveWriter::String(std::string_view utf8) {
  const std::u16string units = ToUtf16(utf8);
  const auto n = static_cast<uint32_t>(units.size());
  bytes_ += "\xFF\xFE\xFF";  // Unicode marker
  if (n < 0xFF) {
    PutLe(bytes_, n, 1);
  } else if (n < 0xFFFE) {
    PutLe(bytes_, 0xFF, 1);
    PutLe(bytes_, n, 2);
  } else {
    PutLe(bytes_, 0xFF, 1);
    PutLe(bytes_, 0xFFFF, 2);
    PutLe(bytes_, n, 4);
  }
  for (char16_t u : units) PutLe(bytes_, u, 2);
}

const char* ArchiveReader::Take(size_t n) {
  if (bytes_.size() - pos_ < n) throw ArchiveError("archive ends early");
  const char* p = bytes_.data() + pos_;
  pos_ += n;
  return p;
}

int32_t ArchiveReader::Int32() { return static_cast<int32_t>(GetLe(Take(4), 4)); }

float ArchiveReader::Float() {
  const uint32_t bits = GetLe(Take(4), 4);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

uint8_t ArchiveReader::Byte() { return static_cast<uint8_t>(*Take(1)); }

uint32_t ArchiveReader::Length(bool& unicode) {
  const uint32_t b = Byte();
  if (b < 0xFF) return b;
  const uint32_t w = GetLe(Take(2), 2);
  if (w == 0xFFFE) {
    if (unicode) throw ArchiveError("repeated string marker");
    unicode = true;
    return Length(unicode);
  }
  if (w < 0xFFFF) return w;
  return GetLe(Take(4), 4);
}

std::string ArchiveReader::String() {
  bool unicode = false;
  const uint32_t n = Length(unicode);
  if (n > kMaxStringUnits) throw ArchiveError("string too long");
  if (!unicode) return Utf32ToUtf8(DecodeGbk(std::string_view(Take(n), n)));
  const char* p = Take(2 * static_cast<size_t>(n));
  std::u16string units(n, u'\0');
  for (uint32_t i = 0; i < n; ++i) units[i] = static_cast<char16_t>(GetLe(p + 2 * i, 2));
  return FromUtf16(units);
}

}  // namespace tarnix
