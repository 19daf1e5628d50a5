#pragma once
// "报告输出到WORD": every page of the print job into a new document of the
// word processor through CWordOffice. Each page's picture is drawn in the
// word-processor mode and written as Config%d.bmp (the page index modulo 3)
// into a folder of this run inside `pictureFolder`; the server takes the
// picture's bytes as it is added, so a later page may reuse the name.
#include <string>

#include "document/tarnix_doc.h"
#include "platform/automation/office_servers.h"

namespace tarnix {

// What a caller that must report every failure says when there is no current section.
inline constexpr char kNothingToReport[] = "没有可输出的页";

// Nothing happens without a current section. False when no document was made
// (nothing to report, or the server did not start) or a page's picture could
// not be written ("error!" is shown once; such a page has no picture).
bool ReportToWord(CTarnixDoc& doc, automation::ServerFactory& servers, const std::string& pictureFolder);

// The command with the in-process servers writing where `output` says. A
// failed write is shown; `written` hears of every file written (the desktop
// opens the visible ones). True when every page and the file were written.
bool ReportToWordFile(CTarnixDoc& doc, const automation::OfficeOutput& output, const automation::FinishedFn& written);

// The per-user cache folder for the pictures: the executable's folder is not
// writable for a user.
std::string WordPictureFolder();

}  // namespace tarnix
