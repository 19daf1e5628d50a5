#pragma once
// The 1-bit Windows bitmap every exported picture leaves as: black and white,
// rows padded to 4 bytes, the row count rounded up to 4 in the declared image
// size (the extra rows written as zeros), bottom-up.
#include <cstdint>
#include <string>
#include <vector>

namespace tarnix {

// Packed pixels, top row first, most significant bit leftmost; a set bit is
// white (palette entry 1). Rows are BitmapStride(width) bytes.
class MonoBitmap {
 public:
  // Every pixel white. Sizes outside 1..kMaxSide are clamped to an empty bitmap.
  MonoBitmap(int width, int height);

  static constexpr int kMaxSide = 30000;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }

  bool IsWhite(int x, int y) const;
  void SetWhite(int x, int y, bool white);
  const std::vector<uint8_t>& Rows() const { return rows_; }

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<uint8_t> rows_;
};

// The smallest multiple of 4 bytes that holds `width` pixels.
int BitmapStride(int width);
// The declared image size: stride times the height rounded up to 4 rows.
int BitmapImageSize(int width, int height);

// The whole file: file header, info header, palette (black, white), pixels.
std::string EncodeMonoBitmap(const MonoBitmap& bitmap);

// Writes beside the target and renames, so a failed write leaves no partial
// file and an older one whole. Throws FileError.
void WriteMonoBitmap(const std::string& path, const MonoBitmap& bitmap);

}  // namespace tarnix
