#include "formats/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tarnix {
namespace {

// An iconv descriptor for one direction. Each thread keeps its own for the
// life of the thread: opening one loads the code-page module,
// which is slow and, done again and again from several threads, races inside
// the C library's loader.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Back to the initial state, as if freshly opened.
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // Converts as much as possible; returns false at an invalid or incomplete
  // sequence (in, left point at it).
  bool Run(char*& in, size_t& inLeft, std::string& out) {
    char buffer[4096];
    while (inLeft > 0) {
      char* o = buffer;
      size_t oLeft = sizeof buffer;
      size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
      out.append(buffer, o - buffer);
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// This thread's converters, reset for a new text.
Converter& GbkDecoder() {
  thread_local Converter decoder("UTF-32LE", "GBK");
  decoder.Reset();
  return decoder;
}

Converter& GbkEncoder() {
  thread_local Converter encoder("GBK", "UTF-8");
  encoder.Reset();
  return encoder;
}

}  // namespace

std::u32string DecodeGbk(std::string_view bytes) {
  std::string clean(bytes);
  for (char& c : clean) {
    if (c == '\0') c = ' ';
  }
  Converter& conv = GbkDecoder();
  std::string utf32;
  utf32.reserve(clean.size() * 4);
  char* in = clean.data();
  size_t inLeft = clean.size();
  while (!conv.Run(in, inLeft, utf32)) {
    const char32_t bad = U'\uFFFD';
    utf32.append(reinterpret_cast<const char*>(&bad), 4);
    ++in;  // skip the offending byte and go on
    --inLeft;
  }
  std::u32string text(utf32.size() / 4, U'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(utf32.data() + 4 * i);
    text[i] = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
  }
  return text;
}

std::string EncodeGbk(std::string_view utf8) {
  Converter& conv = GbkEncoder();
  std::string out;
  out.reserve(utf8.size());
  std::string src(utf8);
  char* in = src.data();
  size_t inLeft = src.size();
  while (!conv.Run(in, inLeft, out)) {
    out += '?';
    // Skip the whole UTF-8 character that could not be encoded.
    do {
      ++in;
      --inLeft;
    } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
  }
  return out;
}

std::u32string Utf8ToUtf32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    char32_t v = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char cc = s[i + k];
      if ((cc & 0xC0) != 0x80) ok = false;
      v = (v << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    out += v;
    i += extra + 1;
  }
  return out;
}

std::string Utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

char32_t LowerChar(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) ||  // Latin-1
      (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||  // Greek
      (c >= 0x410 && c <= 0x42F) ||              // Cyrillic
      (c >= 0xFF21 && c <= 0xFF3A)) {            // full-width Latin
    return c + 32;
  }
  if (c >= 0x400 && c <= 0x40F) return c + 80;  // Cyrillic with diacritics
  return c;
}

void LowerInPlace(std::u32string& text) {
  for (char32_t& c : text) c = LowerChar(c);
}

}  // namespace tarnix
