#include "platform/automation/excel_server.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tarnix::automation {
namespace {

using namespace excel;

// A cell as the client put it: text, number or flag.
using Cell = std::variant<std::string, double, bool>;

struct Sheet {
  std::string name;
  double columnWidth = -1.0;  // < 0: the application's default
  std::map<std::pair<int, int>, Cell> cells;  // (row, column), 1-based
};

struct Book {
  std::vector<Sheet> sheets;
};

// Texts as XML takes them: control characters other than tab and line feeds
// would make the sheet unreadable.
std::string XmlSafe(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
  }
  return out;
}

// Writes one workbook; empty or the library's reason.
std::string WriteBook(const Book& book, const std::string& path) {
  // The library keeps no shared state we know of, but a batch writes from
  // several threads and a file costs little: one at a time.
  static std::mutex serial;
  const std::lock_guard<std::mutex> lock(serial);
  // The library finds an unwritable place only at the end, and tells stderr:
  // try the place first.
  std::FILE* probe = std::fopen(path.c_str(), "wb");
  if (probe == nullptr) return "fopen";
  std::fclose(probe);
  lxw_workbook* wb = workbook_new(path.c_str());
  if (wb == nullptr) return "workbook_new";
  lxw_format* wrap = workbook_add_format(wb);
  format_set_text_wrap(wrap);
  for (const Sheet& s : book.sheets) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, s.name.c_str());
    if (ws == nullptr) {
      workbook_close(wb);
      return "worksheet";
    }
    if (s.columnWidth >= 0) worksheet_set_column(ws, 0, LXW_COL_MAX - 1, s.columnWidth, nullptr);
    std::map<int, int> rowLines;  // the tallest text of a row, in lines
    for (const auto& [at, cell] : s.cells) {
      const lxw_row_t row = static_cast<lxw_row_t>(at.first - 1);
      const lxw_col_t col = static_cast<lxw_col_t>(at.second - 1);
      if (const std::string* text = std::get_if<std::string>(&cell)) {
        if (text->empty()) continue;  // an empty text leaves the cell empty, as the application does
        const int lines = 1 + static_cast<int>(std::count(text->begin(), text->end(), '\n'));
        if (lines > 1) rowLines[at.first] = std::max(rowLines[at.first], lines);
        worksheet_write_string(ws, row, col, XmlSafe(*text).c_str(), lines > 1 ? wrap : nullptr);
      } else if (const double* number = std::get_if<double>(&cell)) {
        worksheet_write_number(ws, row, col, *number, nullptr);
      } else {
        worksheet_write_boolean(ws, row, col, std::get<bool>(cell), nullptr);
      }
    }
    // A wrapped text shows all its lines: the row is as tall as they are
    // (15 points a line in the default font), whatever viewer opens it.
    for (const auto& [row, lines] : rowLines) worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), 15.0 * lines, nullptr);
  }
  const lxw_error error = workbook_close(wb);
  return error == LXW_NO_ERROR ? std::string() : std::string(lxw_strerror(error));
}

// The running application: what every object of it shares. It ends, and
// writes its workbooks, when the last object goes.
struct Server {
  std::shared_ptr<FileDelivery> delivery;
  std::vector<std::shared_ptr<Book>> books;
  bool visible = false;
  bool quit = false;

  ~Server() {
    if (quit) return;
    for (const auto& book : books) {
      delivery->Deliver(".xlsx", visible, [&](const std::string& path) { return WriteBook(*book, path); });
    }
  }
};
using ServerPtr = std::shared_ptr<Server>;

class Object : public EmptyDispatch {
 public:
  explicit Object(ServerPtr server) : server_(std::move(server)) {}

 protected:
  // After Quit the application is gone; its objects answer nothing.
  bool Running() const { return !server_->quit; }
  ServerPtr server_;
};

bool CellAt(const Args& args, int& row, int& column) {
  std::int32_t r = 0, c = 0;
  if (args.size() != 2 || !ToInt(args[0], r) || !ToInt(args[1], c)) return false;
  if (r < 1 || r > LXW_ROW_MAX || c < 1 || c > LXW_COL_MAX) return false;
  row = r;
  column = c;
  return true;
}

// The Cells of a sheet: the whole sheet as one range.
class Range : public Object {
 public:
  Range(ServerPtr server, std::shared_ptr<Book> book, size_t sheet)
      : Object(std::move(server)), book_(std::move(book)), sheet_(sheet) {}

  bool Put(int member, const Args& args, const Variant& value) override {
    if (!Running()) return false;
    Sheet& s = book_->sheets[sheet_];
    if (member == kColumnWidth && args.empty()) {
      double width = 0;
      if (!ToDouble(value, width) || width < 0 || width > 255) return false;
      s.columnWidth = width;
      return true;
    }
    int row = 0, column = 0;
    if (member != kItem || !CellAt(args, row, column)) return false;
    if (const std::string* text = std::get_if<std::string>(&value)) {
      s.cells[{row, column}] = *text;
    } else if (const bool* flag = std::get_if<bool>(&value)) {
      s.cells[{row, column}] = *flag;
    } else if (double number = 0; ToDouble(value, number)) {
      s.cells[{row, column}] = number;
    } else if (IsEmpty(value)) {
      s.cells.erase({row, column});
    } else {
      return false;
    }
    return true;
  }

 private:
  std::shared_ptr<Book> book_;
  size_t sheet_;
};

class Worksheet : public Object {
 public:
  Worksheet(ServerPtr server, std::shared_ptr<Book> book, size_t sheet)
      : Object(std::move(server)), book_(std::move(book)), sheet_(sheet) {}

  Variant Get(int member, const Args& args) override {
    if (!Running() || !args.empty()) return {};
    if (member == kCells) return DispatchPtr(std::make_shared<Range>(server_, book_, sheet_));
    if (member == kName) return book_->sheets[sheet_].name;
    return {};
  }

 private:
  std::shared_ptr<Book> book_;
  size_t sheet_;
};

class Worksheets : public Object {
 public:
  Worksheets(ServerPtr server, std::shared_ptr<Book> book) : Object(std::move(server)), book_(std::move(book)) {}

  Variant Get(int member, const Args& args) override {
    if (!Running() || member != kItem || args.size() != 1) return {};
    const std::vector<Sheet>& sheets = book_->sheets;
    std::string name;
    std::int32_t number = 0;
    if (ToText(args[0], name)) {
      for (size_t i = 0; i < sheets.size(); ++i) {
        if (SameName(sheets[i].name, name)) return DispatchPtr(std::make_shared<Worksheet>(server_, book_, i));
      }
    } else if (ToInt(args[0], number) && number >= 1 && static_cast<size_t>(number) <= sheets.size()) {
      return DispatchPtr(std::make_shared<Worksheet>(server_, book_, static_cast<size_t>(number - 1)));
    }
    return {};
  }

 private:
  std::shared_ptr<Book> book_;
};

class Workbook : public Object {
 public:
  Workbook(ServerPtr server, std::shared_ptr<Book> book) : Object(std::move(server)), book_(std::move(book)) {}

  Variant Get(int member, const Args& args) override {
    if (!Running() || member != kWorksheets || !args.empty()) return {};
    return DispatchPtr(std::make_shared<Worksheets>(server_, book_));
  }

 private:
  std::shared_ptr<Book> book_;
};

class Workbooks : public Object {
 public:
  using Object::Object;

  Variant Get(int member, const Args& args) override {
    if (!Running() || member != kCount || !args.empty()) return {};
    return static_cast<std::int32_t>(server_->books.size());
  }

  // Add: a new workbook with one sheet, "Sheet1", as a new workbook has.
  Variant Call(int member, const Args& args) override {
    if (!Running() || member != kAdd || args.size() > 1) return {};
    auto book = std::make_shared<Book>();
    book->sheets.push_back(Sheet{"Sheet1", -1.0, {}});
    server_->books.push_back(book);
    return DispatchPtr(std::make_shared<Workbook>(server_, book));
  }
};

class Application : public Object {
 public:
  using Object::Object;

  Variant Get(int member, const Args& args) override {
    if (!Running() || !args.empty()) return {};
    if (member == kWorkbooks) return DispatchPtr(std::make_shared<Workbooks>(server_));
    if (member == kVisible) return server_->visible;
    return {};
  }

  bool Put(int member, const Args& args, const Variant& value) override {
    bool visible = false;
    if (!Running() || member != kVisible || !args.empty() || !ToBool(value, visible)) return false;
    server_->visible = visible;
    return true;
  }

  // Quit without saving: the workbooks are discarded.
  Variant Call(int member, const Args& args) override {
    if (!Running() || member != kQuit) return {};
    server_->quit = true;
    server_->books.clear();
    return {};
  }
};

}  // namespace

DispatchPtr CreateExcelApplication(std::shared_ptr<FileDelivery> delivery) {
  auto server = std::make_shared<Server>();
  server->delivery = std::move(delivery);
  return std::make_shared<Application>(server);
}

}  // namespace tarnix::automation
