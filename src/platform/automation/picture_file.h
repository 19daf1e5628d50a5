#pragma once
// A picture as a document holds it: the file's bytes, taken when the picture
// is added (the caller may overwrite the file at once), and its size in
// pixels and resolution, read from the file's header.
#include <memory>
#include <string>

namespace tarnix::automation {

struct Picture {
  std::string name;         // the file's name, without folders
  std::string extension;    // "bmp" or "png"
  std::string contentType;  // "image/bmp" or "image/png"
  std::string bytes;
  int width = 0;  // pixels
  int height = 0;
  double dpiX = 96.0;  // a file that does not say is taken at screen resolution
  double dpiY = 96.0;
};

// The picture in the bytes of a Windows bitmap or PNG file; null when the
// bytes are neither or their header is damaged.
std::shared_ptr<const Picture> DecodePicture(const std::string& name, std::string bytes);
// The same from a file; null when it cannot be read.
std::shared_ptr<const Picture> ReadPicture(const std::string& path);

}  // namespace tarnix::automation
