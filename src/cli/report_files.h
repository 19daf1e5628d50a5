#pragma once
// The report's pages as files, shared by `report` and `batch`.
#include <string>
#include <vector>

#include "document/tarnix_doc.h"
#include "report/report_job.h"

namespace tarnix::cli {

// The kinds of page the CLI prints unless told: those of the page settings
// when a settings file was given, else the report pages.
PageKinds DefaultPageKinds(const CTarnixDoc& doc);

// Every page as a 1-bit bitmap into the folder, named by the hole number and
// the page; each path written is appended. False, with the path that could
// not be written in `failed`, when a page fails.
bool WriteReportBitmaps(const std::string& dir, const ReportSource& source, PageKinds kinds,
                        std::vector<std::string>& written, std::string& failed);

}  // namespace tarnix::cli
