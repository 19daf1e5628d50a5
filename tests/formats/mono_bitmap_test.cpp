// The 1-bit bitmap file: header fields, strides, padding rows and row order,
// read back by hand from the bytes.
#include <gtest/gtest.h>

#include <string>

#include "formats/mono_bitmap.h"
#include "formats/test_files.h"

namespace tarnix {
namespace {

using testing::ErrorOf;
using testing::ReadBytes;
using testing::TempDir;

uint32_t U32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}
unsigned U16(const std::string& b, size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

TEST(MonoBitmap, HeadersOfTheMeasurementPointPicture) {
  const std::string b = EncodeMonoBitmap(MonoBitmap(820, 500));
  ASSERT_EQ(b.size(), 52062u);
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(U32(b, 2), 52062u);
  EXPECT_EQ(U32(b, 6), 0u);
  EXPECT_EQ(U32(b, 10), 62u);
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(U32(b, 18), 820u);
  EXPECT_EQ(U32(b, 22), 500u);
  EXPECT_EQ(U16(b, 26), 1u);
  EXPECT_EQ(U16(b, 28), 1u);
  EXPECT_EQ(U32(b, 30), 0u);
  EXPECT_EQ(U32(b, 34), 52000u);
  EXPECT_EQ(U32(b, 38), 0u);
  EXPECT_EQ(U32(b, 42), 0u);
  EXPECT_EQ(U32(b, 46), 2u);
  EXPECT_EQ(U32(b, 50), 0u);
  EXPECT_EQ(U32(b, 54), 0x00000000u);
  EXPECT_EQ(U32(b, 58), 0x00FFFFFFu);
}

TEST(MonoBitmap, StridesAndPaddedRows) {
  EXPECT_EQ(BitmapStride(1), 4);
  EXPECT_EQ(BitmapStride(32), 4);
  EXPECT_EQ(BitmapStride(33), 8);
  EXPECT_EQ(BitmapStride(820), 104);
  EXPECT_EQ(BitmapImageSize(33, 5), 8 * 8);
  EXPECT_EQ(BitmapImageSize(1, 4), 16);

  // Height 5: five rows bottom-up, then three zero rows.
  MonoBitmap m(9, 5);
  m.SetWhite(0, 0, false);  // top-left black
  m.SetWhite(8, 4, false);  // bottom-right black
  const std::string b = EncodeMonoBitmap(m);
  ASSERT_EQ(b.size(), 62u + 4 * 8);
  EXPECT_EQ(U32(b, 34), 32u);
  const auto at = [&](int row, int byte) { return static_cast<unsigned char>(b[62 + row * 4 + byte]); };
  EXPECT_EQ(at(0, 0), 0xFF);  // first stored row is the bottom one
  EXPECT_EQ(at(0, 1), 0x7F);
  EXPECT_EQ(at(4, 0), 0x7F);  // the top row last
  EXPECT_EQ(at(4, 1), 0xFF);
  for (int i = 62 + 5 * 4; i < static_cast<int>(b.size()); ++i) EXPECT_EQ(b[i], '\0') << i;
}

TEST(MonoBitmap, AFailedWriteLeavesNoFile) {
  TempDir dir;
  const std::string path = dir.File("p.bmp");
  WriteMonoBitmap(path, MonoBitmap(33, 5));
  EXPECT_EQ(ReadBytes(path), EncodeMonoBitmap(MonoBitmap(33, 5)));

  EXPECT_EQ(ErrorOf([&] { WriteMonoBitmap(dir.File("missing/p.bmp"), MonoBitmap(3, 3)); }), "error!");
  EXPECT_EQ(ErrorOf([&] { WriteMonoBitmap(path, MonoBitmap(0, 3)); }), "error!");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"p.bmp"});
  EXPECT_EQ(ReadBytes(path), EncodeMonoBitmap(MonoBitmap(33, 5)));  // the older file whole
}

}  // namespace
}  // namespace tarnix
