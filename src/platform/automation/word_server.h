#pragma once
// The in-process stand-in for "Word.Application": an object model answering
// the members the report client calls (application, documents, selection,
// ranges, tables, cells, fonts, inline pictures) by their published ids, and
// building WordDocuments that become .docx files through the delivery when
// the application object is released. Quit without saving discards them. Members it does not know answer
// empty.
#include <memory>

#include "platform/automation/office_servers.h"

namespace tarnix::automation {

// Member ids of the word processor's objects, as its clients call them.
namespace word {
inline constexpr int kVersion = 24, kDocuments = 6, kActiveDocument = 3, kSelection = 5, kVisible = 23,
                     kQuit = 1105;
inline constexpr int kAdd = 14;                 // Documents
inline constexpr int kDocumentRange = 2000;     // Document
inline constexpr int kTypeParagraph = 512, kParagraphFormat = 1102, kFont = 5, kSelectionRange = 400,
                     kTables = 50, kEndKey = 505, kInsertBreak = 122;  // Selection
inline constexpr int kAlignment = 110;          // ParagraphFormat
inline constexpr int kFontName = 142, kBold = 130, kSize = 141;  // Font
inline constexpr int kAddTable = 200;           // Tables
inline constexpr int kRows = 101, kBorders = 1100, kTableRange = 0, kCell = 17;  // Table
inline constexpr int kRowAlignment = 4;         // Rows
inline constexpr int kEnable = 2;               // Borders
inline constexpr int kCells = 57, kText = 0, kInlineShapes = 319, kSelect = 0xFFFF;  // Range
inline constexpr int kVerticalAlignment = 1104;  // Cells
inline constexpr int kCellRange = 0, kMerge = 204;  // Cell
inline constexpr int kAddPicture = 100;         // InlineShapes
inline constexpr int kStory = 6;                // EndKey unit: the whole document
inline constexpr int kSectionBreakNextPage = 2;
}  // namespace word

DispatchPtr CreateWordApplication(std::shared_ptr<FileDelivery> delivery);

}  // namespace tarnix::automation
