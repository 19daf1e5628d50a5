#include "platform/automation/picture_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarnix::automation {
namespace {

// Far beyond any page picture; a larger claim is a damaged header.
constexpr int kMaxSide = 100000;
constexpr std::uintmax_t kMaxFileBytes = 512u << 20;
constexpr double kInchPerMetre = 0.0254;

std::uint32_t Le(const std::string& b, size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

std::uint32_t Be32(const std::string& b, size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

bool DecodeBmp(Picture& p) {
  const std::string& b = p.bytes;
  if (b.size() < 26 || b.compare(0, 2, "BM") != 0) return false;
  const std::uint32_t infoSize = Le(b, 14, 4);
  if (infoSize == 12) {  // the old core header: 16-bit sizes
    p.width = static_cast<int>(Le(b, 18, 2));
    p.height = static_cast<int>(Le(b, 20, 2));
  } else if (infoSize >= 40 && b.size() >= 14 + 40) {
    p.width = static_cast<std::int32_t>(Le(b, 18, 4));
    const std::int32_t h = static_cast<std::int32_t>(Le(b, 22, 4));
    p.height = h == INT32_MIN ? 0 : (h < 0 ? -h : h);  // negative: rows top-down
    const std::uint32_t xPerMetre = Le(b, 38, 4), yPerMetre = Le(b, 42, 4);
    if (xPerMetre > 0 && yPerMetre > 0) {
      p.dpiX = xPerMetre * kInchPerMetre;
      p.dpiY = yPerMetre * kInchPerMetre;
    }
  } else {
    return false;
  }
  p.extension = "bmp";
  p.contentType = "image/bmp";
  return true;
}

bool DecodePng(Picture& p) {
  const std::string& b = p.bytes;
  if (b.size() < 33 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || b.compare(12, 4, "IHDR") != 0) return false;
  p.width = static_cast<int>(std::min<std::uint32_t>(Be32(b, 16), kMaxSide + 1));
  p.height = static_cast<int>(std::min<std::uint32_t>(Be32(b, 20), kMaxSide + 1));
  p.extension = "png";
  p.contentType = "image/png";
  return true;
}

}  // namespace

std::shared_ptr<const Picture> DecodePicture(const std::string& name, std::string bytes) {
  auto p = std::make_shared<Picture>();
  p->name = name;
  p->bytes = std::move(bytes);
  if (!DecodeBmp(*p) && !DecodePng(*p)) return nullptr;
  if (p->width <= 0 || p->height <= 0 || p->width > kMaxSide || p->height > kMaxSide) return nullptr;
  if (!(p->dpiX >= 1.0 && p->dpiY >= 1.0)) return nullptr;
  return p;
}

std::shared_ptr<const Picture> ReadPicture(const std::string& path) {
  std::error_code failed;
  const std::uintmax_t size = std::filesystem::file_size(path, failed);
  if (failed || size > kMaxFileBytes) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return nullptr;
  return DecodePicture(std::filesystem::path(path).filename().string(), std::move(bytes));
}

}  // namespace tarnix::automation
