#pragma once
// Where the desktop's office exports put their files, and what it does with
// a finished one: the in-process servers stand in for office applications
// the user would have seen, so their files land in the documents folder and
// open in whatever the desktop opens spreadsheets and documents with.
#include <string>

#include "document/tarnix_doc.h"
#include "platform/automation/office_servers.h"

namespace tarnix {

// The file's base name: the hole number, else the document's file name, else "Tarnix".
std::string OfficeBaseName(const TestHeader& header, const std::string& documentPath);

// The user's documents folder, the file named after the hole (made unique there).
automation::OfficeOutput DesktopOfficeOutput(const CTarnixDoc& doc);

// Opens a file the client made visible with the desktop's default application.
void OpenWhenVisible(const automation::FinishedFile& file);

}  // namespace tarnix
