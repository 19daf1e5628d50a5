#include "formats/mono_bitmap.h"

#include "formats/file_error.h"
#include "formats/staged_file.h"

namespace tarnix {
namespace {

constexpr int kHeadersSize = 14 + 40 + 8;

void Put16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int BitmapStride(int width) { return (width + 31) / 32 * 4; }

int BitmapImageSize(int width, int height) { return BitmapStride(width) * ((height + 3) / 4 * 4); }

MonoBitmap::MonoBitmap(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
  width_ = width;
  height_ = height;
  stride_ = BitmapStride(width);
  rows_.assign(static_cast<size_t>(stride_) * height_, 0xFF);
}

bool MonoBitmap::IsWhite(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return true;
  return (rows_[static_cast<size_t>(y) * stride_ + x / 8] & (0x80 >> (x % 8))) != 0;
}

void MonoBitmap::SetWhite(int x, int y, bool white) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t& byte = rows_[static_cast<size_t>(y) * stride_ + x / 8];
  const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
  byte = white ? byte | bit : byte & ~bit;
}

std::string EncodeMonoBitmap(const MonoBitmap& b) {
  const uint32_t imageSize = static_cast<uint32_t>(BitmapImageSize(b.Width(), b.Height()));
  std::string out;
  out.reserve(kHeadersSize + imageSize);
  out += "BM";
  Put32(out, kHeadersSize + imageSize);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, kHeadersSize);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(b.Width()));
  Put32(out, static_cast<uint32_t>(b.Height()));
  Put16(out, 1);   // planes
  Put16(out, 1);   // bits per pixel
  Put32(out, 0);   // no compression
  Put32(out, imageSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 2);   // colours used
  Put32(out, 0);
  Put32(out, 0x00000000);  // black
  Put32(out, 0x00FFFFFF);  // white
  const size_t stride = static_cast<size_t>(b.Stride());
  for (int y = b.Height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(b.Rows().data()) + y * stride, stride);
  }
  out.resize(kHeadersSize + imageSize, '\0');
  return out;
}

void WriteMonoBitmap(const std::string& path, const MonoBitmap& bitmap) {
  if (bitmap.IsEmpty()) throw FileError("error!");
  StagedFile file(path);
  if (!file.IsOpen() || !file.Write(EncodeMonoBitmap(bitmap)) || !file.Commit()) throw FileError("error!");
}

}  // namespace tarnix
