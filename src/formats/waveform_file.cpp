#include "formats/waveform_file.h"

#include "formats/file_error.h"

namespace tarnix {

std::string ReadWholeFile(std::FILE* f) {
  std::string bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  return bytes;
}

WaveformFile::WaveformFile(const std::string& path, const char* error)
    : file_(std::fopen(path.c_str(), "rb")), error_(error) {
  if (file_ && std::fseek(file_.get(), 0, SEEK_END) == 0) size_ = ftello(file_.get());
}

void WaveformFile::ReadWaveform(long long seek, int count, std::vector<uint16_t>& out) {
  const long long offset = seek - 1;
  const long long bytes = 2LL * count;
  if (seek < 1 || count < 0 || size_ < 0 || offset > size_ - bytes) throw FileError(error_);
  buffer_.resize(bytes);
  if (fseeko(file_.get(), offset, SEEK_SET) != 0 ||
      std::fread(buffer_.data(), 1, bytes, file_.get()) != static_cast<size_t>(bytes)) {
    throw FileError(error_);
  }
  out.resize(count);
  for (int i = 0; i < count; ++i) {
    const auto lo = static_cast<uint16_t>(buffer_[2 * i]);
    const auto hi = static_cast<uint16_t>(buffer_[2 * i + 1]);
    out[i] = static_cast<uint16_t>((lo | (hi << 8)) + 2048);  // wraps like the instrument
  }
}

}  // namespace tarnix
