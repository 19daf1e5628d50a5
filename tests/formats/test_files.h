#pragma once
// Small helpers for the file format tests: a private directory per test, raw
// bytes in and out, and waveforms as the data file stores them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_error.h"

namespace tarnix::testing {

// A fresh directory, removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tarnix-formats-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Names of everything in the directory, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each line followed by CR LF, as every line of the text file ends.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// The lines of a text without their CR LF.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
    lines.push_back(text.substr(from, at - from));
  }
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

// The data file's form of a waveform: signed 16-bit little-endian words.
inline std::string Words(const std::vector<int16_t>& wave) {
  std::string bytes;
  for (int16_t v : wave) {
    const auto w = static_cast<uint16_t>(v);
    bytes += static_cast<char>(w & 0xFF);
    bytes += static_cast<char>(w >> 8);
  }
  return bytes;
}

// The same waveform as the model holds it: offset binary around 2048.
inline std::vector<uint16_t> Offset(const std::vector<int16_t>& wave) {
  std::vector<uint16_t> samples;
  for (int16_t v : wave) samples.push_back(static_cast<uint16_t>(v + 2048));
  return samples;
}

// The message of the FileError that f throws; a marker when it throws none.
template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const FileError& e) {
    return e.what();
  }
  return "<no error>";
}

// The first line that starts with prefix, or a marker naming what is missing.
inline std::string LineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const std::string& l : lines) {
    if (l.rfind(prefix, 0) == 0) return l;
  }
  return "<missing " + prefix + ">";
}

// The first count lines after the line that starts with header.
inline std::vector<std::string> RowsAfter(const std::vector<std::string>& lines, const std::string& header, size_t count) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(header, 0) == 0) {
      return {lines.begin() + i + 1, lines.begin() + std::min(lines.size(), i + 1 + count)};
    }
  }
  return {};
}

// The line that starts with prefix, for editing a fixture in place.
inline std::string& EditLine(std::vector<std::string>& lines, const std::string& prefix) {
  for (std::string& l : lines) {
    if (l.rfind(prefix, 0) == 0) return l;
  }
  throw std::logic_error("no line " + prefix);
}

// The r-th row under a table header, for editing a fixture in place.
inline std::string& EditRow(std::vector<std::string>& lines, const std::string& header, int r) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(header, 0) == 0) return lines.at(i + 1 + r);
  }
  throw std::logic_error("no table " + header);
}

}  // namespace tarnix::testing
