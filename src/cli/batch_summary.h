#pragma once
// The batch's project overview: one CSV row per section in use of every file
// (the result file where one was written), with the statistics exactly as
// `tarnix-cli stats` shows them for that file.
#include <string>

#include "document/tarnix_doc.h"

namespace tarnix::cli {

std::string SummaryHeader();
// The rows of an opened test, each ending in a newline. The pick qualities,
// which no file keeps, are counted in picked (the test as it was picked).
std::string SummaryRows(const std::string& file, const CTarnixDoc& doc, const CTarnixDoc& picked);

}  // namespace tarnix::cli
