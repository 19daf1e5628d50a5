#pragma once
// "Excel.Application" in process: the members the spreadsheet export calls,
// by the real application's member ids, over workbooks kept in memory. When
// the last reference to any of its objects goes, every workbook added is
// written as an .xlsx through the delivery, unless the client called Quit.
//
//   Application  Workbooks 572 (get), Visible 558 (put, get), Quit 302 (call)
//   Workbooks    Add 181 (call; the template argument is ignored), Count 118 (get)
//   Workbook     Worksheets 494 (get)
//   Worksheets   Item 170 (get; a name found case-insensitively, or 1-based number)
//   Worksheet    Cells 238 (get), Name 110 (get)
//   Range        ColumnWidth 242 (put; the whole sheet's columns),
//                Item 170 (put; row, column, 1-based = text, number or flag)
//
// Any other member answers empty.
#include <memory>

#include "platform/automation/office_servers.h"

namespace tarnix::automation {

namespace excel {
inline constexpr int kWorkbooks = 572;
inline constexpr int kVisible = 558;
inline constexpr int kQuit = 302;
inline constexpr int kAdd = 181;
inline constexpr int kCount = 118;
inline constexpr int kWorksheets = 494;
inline constexpr int kItem = 170;
inline constexpr int kCells = 238;
inline constexpr int kName = 110;
inline constexpr int kColumnWidth = 242;
}  // namespace excel

DispatchPtr CreateExcelApplication(std::shared_ptr<FileDelivery> delivery);

}  // namespace tarnix::automation
