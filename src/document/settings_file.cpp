// Loading and saving the settings file: its bytes, the fallbacks for a damaged
// file, and a safe write. The field order lives with the other file formats.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/tarnix_doc.h"
#include "formats/settings_file_fields.h"
#include "formats/staged_file.h"

namespace tarnix {

// The document's parts that the settings file holds, by the names the field
// list uses.
template <typename Doc>
struct SettingsParts {
  Doc& doc;
  decltype((doc.header_)) header = doc.header_;
  decltype((doc.filters_)) filters = doc.filters_;
  decltype((doc.display)) display = doc.display;
  decltype((doc.currentPoint_)) currentPoint = doc.currentPoint_;
  decltype((doc.pageSetup)) pageSetup = doc.pageSetup;
  decltype((doc.reportTexts)) reportTexts = doc.reportTexts;
};

void CTarnixDoc::LoadSettings(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return;  // no file: the defaults stay
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ArchiveReader in(bytes);
  ArchiveLoader a{in};
  SettingsParts<CTarnixDoc> parts{*this};
  try {
    SettingsFileFields(a, parts);
  } catch (const ArchiveError&) {
    // A short or damaged file: these fallbacks, whatever was read before.
    header_ = TestHeader();
    display.rowHeight = 10.0f;
    for (ChannelFilter& f : filters_) f = ChannelFilter{true, 5.0f, true, 10.0f};
  }
  // The statistics pages divide by it: a file that holds none gets the default.
  if (pageSetup.sectionsPerPage <= 0) pageSetup.sectionsPerPage = PageSetup().sectionsPerPage;
}

bool CTarnixDoc::SaveSettings(const std::string& path) const {
  ArchiveWriter out;
  ArchiveSaver a{out};
  SettingsParts<const CTarnixDoc> parts{*this};
  SettingsFileFields(a, parts);

  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  StagedFile file(path);
  return file.Write(out.Bytes()) && file.Commit();
}

}  // namespace tarnix
