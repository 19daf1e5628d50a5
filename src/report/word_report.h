#pragma once
// "报告输出到WORD": every page of the print job into a new document of the
// word processor through CWordOffice. Each page's picture is drawn in the
// word-processor mode and written as Config%d.bmp (the page index modulo 3)
// into a folder of this run inside `pictureFolder`; the server takes the
// picture's bytes as it is added, so a later page may reuse the name.
#include <string>

#include "document/tarnix_doc.h"
#include "platform/automation/dispatch.h"

namespace tarnix {

// Nothing happens without a current section. False when no document was made
// (nothing to report, or the server did not start) or a page's picture could
// not be written ("error!" is shown once; such a page has no picture).
bool ReportToWord(CTarnixDoc& doc, automation::ServerFactory& servers, const std::string& pictureFolder);

// The same into the file at `path` (replaced when it exists), as the CLI
// writes it; false when the file was not written whole, the reason shown.
bool ReportToWordFile(CTarnixDoc& doc, const std::string& path);

// The per-user cache folder for the pictures: the executable's folder is not
// writable for a user.
std::string WordPictureFolder();

}  // namespace tarnix
