#pragma once
// The entries of a zip archive by name, to read the office files back.
#include <zip.h>

#include <map>
#include <string>

namespace tarnix::test {

// Empty when the file is no readable archive.
inline std::map<std::string, std::string> ZipEntries(const std::string& path) {
  std::map<std::string, std::string> entries;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_file_t* file = zip_stat_index(archive, i, 0, &stat) == 0 ? zip_fopen_index(archive, i, 0) : nullptr;
    if (file == nullptr) continue;
    std::string bytes(stat.size, '\0');
    if (zip_fread(file, bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size)) entries[stat.name] = bytes;
    zip_fclose(file);
  }
  zip_close(archive);
  return entries;
}

}  // namespace tarnix::test
