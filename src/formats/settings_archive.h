#pragma once
// The settings file's binary archive: little-endian 32-bit integers and floats,
// single bytes, and strings in the desktop framework's Unicode archive form, so
// that settings written by the earlier desktop program read back unchanged.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnix {

// Raised when an archive ends early or holds an impossible string.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ArchiveWriter {
 public:
  void Int32(int32_t v);
  void Float(float v);
  void Byte(uint8_t v);
  void Bool(bool v) { Byte(v ? 1 : 0); }
  // UTF-8 in, UTF-16LE with the Unicode marker and length prefix out.
  void String(std::string_view utf8);
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
  int32_t Int32();
  float Float();
  uint8_t Byte();
  bool Bool() { return Byte() != 0; }
  // Reads both the Unicode form and the older single-byte (ANSI) form.
  std::string String();
  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  const char* Take(size_t n);
  uint32_t Length(bool& unicode);

  std::string_view bytes_;
  size_t pos_ = 0;
};

// Adapters that let one field list drive both directions, so that what is
// written and what is read cannot drift apart.
struct ArchiveSaver {
  ArchiveWriter& out;
  void Int(int32_t v) { out.Int32(v); }
  void Colour(uint32_t v) { out.Int32(static_cast<int32_t>(v)); }
  void Float(float v) { out.Float(v); }
  void Byte(uint8_t v) { out.Byte(v); }
  void Bool(bool v) { out.Bool(v); }
  void Text(const std::string& v) { out.String(v); }
};

struct ArchiveLoader {
  ArchiveReader& in;
  void Int(int32_t& v) { v = in.Int32(); }
  void Colour(uint32_t& v) { v = static_cast<uint32_t>(in.Int32()); }
  void Float(float& v) { v = in.Float(); }
  void Byte(uint8_t& v) { v = in.Byte(); }
  void Bool(bool& v) { v = in.Bool(); }
  void Text(std::string& v) { v = in.String(); }
};

}  // namespace tarnix
