#pragma once
// The per-depth log in the formats other tools load: LAS 2.0 (well-log
// readers) and CSV (spreadsheets), both UTF-8. Written beside and renamed, so a
// failed write leaves no half file. Throws FileError.
#include <string>

#include "model/log_row.h"
#include "model/test_header.h"

namespace tarnix {

// The value LAS readers take for "no measurement".
inline constexpr double kLasNull = -999.25;

void WriteLas(const std::string& path, const TestHeader& header, const PairLog& log);
void WriteCsv(const std::string& path, const PairLog& log);

}  // namespace tarnix
