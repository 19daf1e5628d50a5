#pragma once
// Recognition of data files by name and the data-file naming rule.
#include <string>
#include <string_view>

namespace tarnix {

// Case-sensitive substring tests on the whole path, raw test first.
bool IsRawTestPath(std::string_view path);
bool IsResultPath(std::string_view path);
// x.CHT and x.CHA share x.CHD; the older x.RTX has x.RDA.
std::string DataFilePath(std::string_view textPath);

}  // namespace tarnix
