#pragma once
// Reading data files from disk: a text file in one piece, and waveforms of 16-bit
// words at their 1-based byte positions in a binary data file.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace tarnix {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string ReadWholeFile(std::FILE* f);

// A data file opened once, its size known, one read per waveform.
class WaveformFile {
 public:
  // error: the message thrown for a position or length the file cannot serve.
  WaveformFile(const std::string& path, const char* error);
  bool IsOpen() const { return file_ != nullptr; }

  // Reads count signed 16-bit little-endian words at the 1-based byte position
  // seek, adding the zero level. Throws FileError unless all of them are there.
  void ReadWaveform(long long seek, int count, std::vector<uint16_t>& out);

 private:
  FilePtr file_;
  const char* error_;
  long long size_ = -1;
  std::vector<unsigned char> buffer_;
};

}  // namespace tarnix
