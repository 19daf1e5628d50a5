#include "platform/automation/word_server.h"

#include <optional>
#include <utility>

#include "platform/automation/docx_writer.h"
#include "platform/automation/word_document.h"

namespace tarnix::automation {
namespace {

// A place between blocks: the paragraph at `index` of a body or a cell;
// `owner` keeps the container alive.
struct Position {
  std::shared_ptr<const void> owner;
  Blocks* container = nullptr;
  size_t index = 0;
};

struct CellRef {
  std::shared_ptr<Table> table;
  int row = 0;
  int column = 0;  // grid column
  TableCell& Cell() const { return table->At(row, column); }
  Position Start() const { return {table, &Cell().content, 0}; }
};

// The paragraph at a position; where a table was put before it since, the
// paragraph after the table. Null when there is none.
Paragraph* ParagraphAt(Position& at) {
  if (at.container == nullptr || at.container->empty()) return nullptr;
  Blocks& blocks = *at.container;
  at.index = std::min(at.index, blocks.size() - 1);
  for (size_t i = at.index; i < blocks.size(); ++i) {
    if (auto* p = std::get_if<Paragraph>(&blocks[i])) {
      at.index = i;
      return p;
    }
  }
  return nullptr;
}

bool Arg(const Args& args, size_t i, std::int32_t& out) { return i < args.size() && ToInt(args[i], out); }

// The state every object of one application shares: its documents and the
// selection, which in this model is an insertion point or a whole cell.
struct Server {
  explicit Server(std::shared_ptr<FileDelivery> d) : delivery(std::move(d)) {}

  std::shared_ptr<FileDelivery> delivery;
  std::vector<std::shared_ptr<WordDocument>> documents;
  bool visible = false;
  bool done = false;  // written or discarded
  Position at;
  std::optional<CellRef> selectedCell;

  std::shared_ptr<WordDocument> Active() const { return documents.empty() ? nullptr : documents.back(); }

  Position End() const {
    const auto doc = Active();
    if (!doc) return {};
    return {doc, &doc->body, doc->body.size() - 1};
  }

  // Each paragraph the selection covers.
  template <class F>
  bool ForSelection(F apply) {
    if (selectedCell) {
      for (Block& b : selectedCell->Cell().content) {
        if (auto* p = std::get_if<Paragraph>(&b)) apply(*p, true);
      }
      return true;
    }
    Paragraph* p = ParagraphAt(at);
    if (p != nullptr) apply(*p, false);
    return p != nullptr;
  }

  // Typing over a selected cell first empties it.
  void Collapse() {
    if (!selectedCell) return;
    Blocks& content = selectedCell->Cell().content;
    const Paragraph* first = content.empty() ? nullptr : std::get_if<Paragraph>(&content.front());
    const Paragraph kept{first ? first->format : ParagraphFormat{}, {}, false};
    content.assign(1, kept);
    at = selectedCell->Start();
    selectedCell.reset();
  }

  bool TypeParagraph() {
    Collapse();
    Paragraph* p = ParagraphAt(at);
    if (p == nullptr) return false;
    Paragraph next{p->format, {}, std::exchange(p->endsSection, false)};
    at.container->insert(at.container->begin() + static_cast<std::ptrdiff_t>(++at.index), std::move(next));
    return true;
  }

  bool InsertSectionBreak() {
    Collapse();
    const auto doc = Active();
    Paragraph* p = ParagraphAt(at);
    if (!doc || p == nullptr || at.container != &doc->body) return false;  // no section breaks inside a table
    p->endsSection = true;
    at.container->insert(at.container->begin() + static_cast<std::ptrdiff_t>(++at.index), Paragraph{p->format});
    return true;
  }

  std::shared_ptr<Table> AddTable(Position where, int rows, int columns) {
    Paragraph* p = ParagraphAt(where);
    if (p == nullptr || rows < 1 || rows > 32767 || columns < 1 || columns > 63) return nullptr;
    auto table = std::make_shared<Table>(rows, columns, p->format);
    Blocks& blocks = *where.container;
    if (p->runs.empty()) {
      // An empty paragraph stays after the table, which takes its place.
      blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(where.index), table);
    } else {
      const ParagraphFormat format = p->format;
      blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(where.index) + 1, table);
      blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(where.index) + 2, Paragraph{format});
    }
    selectedCell.reset();
    at = CellRef{table, 0, 0}.Start();
    return table;
  }

  void Finish() {
    if (done) return;
    done = true;
    for (const auto& doc : documents) {
      delivery->Deliver(".docx", visible, [&](const std::string& staged) {
        return WriteDocx(staged, *doc) ? std::string() : std::string("error!");
      });
    }
  }
};

using ServerPtr = std::shared_ptr<Server>;

class Object : public EmptyDispatch {
 public:
  explicit Object(ServerPtr s) : s_(std::move(s)) {}

 protected:
  ServerPtr s_;
};

template <class T, class... A>
Variant Make(A&&... a) {
  return DispatchPtr(std::make_shared<T>(std::forward<A>(a)...));
}

// What a range stands for.
struct Target {
  enum Kind { kDocument, kAt, kTable, kCell } kind = kAt;
  Position at;
  CellRef cell;  // the table of kTable, the cell of kCell

  // Where something inserted into the range goes: the insertion point, or
  // the end of the cell.
  std::optional<Position> InsertionPoint() const {
    if (kind == kAt) return at;
    if (kind == kCell) return Position{cell.table, &cell.Cell().content, cell.Cell().content.size() - 1};
    return std::nullopt;
  }
};

class InlineShapesObject : public Object {
 public:
  InlineShapesObject(ServerPtr s, Position at) : Object(std::move(s)), at_(std::move(at)) {}
  Variant Call(int member, const Args& args) override;

 private:
  Position at_;
};

class CellsObject : public Object {
 public:
  CellsObject(ServerPtr s, Target t) : Object(std::move(s)), t_(std::move(t)) {}
  bool Put(int member, const Args&, const Variant& value) override {
    std::int32_t v = 0;
    if (member != word::kVerticalAlignment || !ToInt(value, v) || v < 0 || v > 3) return false;
    if (t_.kind == Target::kCell) {
      t_.cell.Cell().verticalAlignment = v;
    } else if (t_.kind == Target::kTable) {
      for (TableCell& c : t_.cell.table->cells) c.verticalAlignment = v;
    } else {
      return false;
    }
    return true;
  }

 private:
  Target t_;
};

class RangeObject : public Object {
 public:
  RangeObject(ServerPtr s, Target t) : Object(std::move(s)), t_(std::move(t)) {}
  const Target& Where() const { return t_; }

  Variant Get(int member, const Args&) override {
    if (member == word::kCells && (t_.kind == Target::kCell || t_.kind == Target::kTable)) {
      return Make<CellsObject>(s_, t_);
    }
    if (member == word::kInlineShapes) {
      if (const auto at = t_.InsertionPoint()) return Make<InlineShapesObject>(s_, *at);
    }
    return {};
  }

  bool Put(int member, const Args&, const Variant& value) override {
    std::string text;
    if (member != word::kText || !ToText(value, text)) return false;
    if (t_.kind == Target::kCell) {
      Blocks& content = t_.cell.Cell().content;
      const Paragraph* first = std::get_if<Paragraph>(&content.front());
      SetText(content, text, first ? first->format : ParagraphFormat{});
      return true;
    }
    Position at = t_.at;
    Paragraph* p = t_.kind == Target::kAt ? ParagraphAt(at) : nullptr;
    if (p == nullptr) return false;
    Blocks typed;
    SetText(typed, text, p->format);
    // The first line joins the paragraph; the rest follow it.
    auto& runs = std::get<Paragraph>(typed.front()).runs;
    p->runs.insert(p->runs.end(), runs.begin(), runs.end());
    at.container->insert(at.container->begin() + static_cast<std::ptrdiff_t>(at.index) + 1, typed.begin() + 1,
                         typed.end());
    return true;
  }

  Variant Call(int member, const Args&) override {
    if (member != word::kSelect) return {};
    if (t_.kind == Target::kCell) {
      s_->selectedCell = t_.cell;
      s_->at = t_.cell.Start();
    } else if (t_.kind == Target::kAt) {
      s_->selectedCell.reset();
      s_->at = t_.at;
    } else {
      return {};
    }
    return {};
  }

 private:
  Target t_;
};

Variant InlineShapesObject::Call(int member, const Args& args) {
  std::string file;
  if (member != word::kAddPicture || args.empty() || !ToText(args[0], file)) return {};
  Position at = at_;
  if (args.size() > 3) {
    if (auto* range = dynamic_cast<RangeObject*>(AsObject(args[3]).get())) {
      if (const auto where = range->Where().InsertionPoint()) at = *where;
    }
  }
  Paragraph* p = ParagraphAt(at);
  if (p == nullptr) return {};
  // Read now: the caller may overwrite the file before the document is written.
  std::shared_ptr<const Picture> picture = ReadPicture(file);
  if (!picture) return {};
  p->runs.push_back(Run{{}, std::move(picture), p->format.mark});
  return Make<Object>(s_);  // the inline shape; nothing is asked of it
}

class FontObject : public Object {
 public:
  using Object::Object;
  bool Put(int member, const Args&, const Variant& value) override {
    std::string name;
    bool bold = false;
    double size = 0;
    std::function<void(RunFormat&)> set;
    if (member == word::kFontName && ToText(value, name) && !name.empty()) {
      set = [&](RunFormat& f) { f.font = name; };
    } else if (member == word::kBold && ToBool(value, bold)) {
      set = [&](RunFormat& f) { f.bold = bold; };
    } else if (member == word::kSize && ToDouble(value, size) && size >= 1.0 && size <= 1638.0) {
      set = [&](RunFormat& f) { f.size = size; };
    } else {
      return false;
    }
    return s_->ForSelection([&](Paragraph& p, bool covered) {
      set(p.format.mark);
      if (covered) {
        for (Run& r : p.runs) set(r.format);
      }
    });
  }
};

class ParagraphFormatObject : public Object {
 public:
  using Object::Object;
  bool Put(int member, const Args&, const Variant& value) override {
    std::int32_t v = 0;
    if (member != word::kAlignment || !ToInt(value, v) || v < 0 || v > 3) return false;
    return s_->ForSelection([&](Paragraph& p, bool) { p.format.alignment = v; });
  }
};

class CellObject : public Object {
 public:
  CellObject(ServerPtr s, CellRef c) : Object(std::move(s)), c_(std::move(c)) {}
  Variant Get(int member, const Args&) override {
    if (member != word::kCellRange) return {};
    return Make<RangeObject>(s_, Target{Target::kCell, {}, c_});
  }
  Variant Call(int member, const Args& args) override {
    if (member != word::kMerge || args.empty()) return {};
    const auto* other = dynamic_cast<CellObject*>(AsObject(args[0]).get());
    if (other == nullptr || other->c_.table != c_.table) return {};
    if (!c_.table->Merge(c_.row, c_.column, other->c_.row, other->c_.column)) return {};
    if (s_->selectedCell && s_->selectedCell->table == c_.table && s_->selectedCell->Cell().covered) {
      s_->selectedCell.reset();
      s_->at = c_.Start();
    }
    return {};
  }

 private:
  CellRef c_;
};

class TableObject : public Object {
 public:
  TableObject(ServerPtr s, std::shared_ptr<Table> t) : Object(std::move(s)), t_(std::move(t)) {}
  Variant Get(int member, const Args&) override {
    switch (member) {
      case word::kRows:
        return Make<TableSetting>(s_, t_, word::kRowAlignment, [](Table& t, int v) {
          if (v < 0 || v > 2) return false;
          t.alignment = v;
          return true;
        });
      case word::kBorders:
        return Make<TableSetting>(s_, t_, word::kEnable, [](Table& t, int v) {
          t.borders = v != 0;
          return true;
        });
      case word::kTableRange:
        return Make<RangeObject>(s_, Target{Target::kTable, {}, CellRef{t_, 0, 0}});
      default:
        return {};
    }
  }
  Variant Call(int member, const Args& args) override {
    std::int32_t row = 0, index = 0;
    if (member != word::kCell || !Arg(args, 0, row) || !Arg(args, 1, index)) return {};
    const int column = t_->GridColumn(row - 1, index - 1);
    if (column < 0) return {};
    return Make<CellObject>(s_, CellRef{t_, row - 1, column});
  }

 private:
  // Rows and Borders: one integer setting of the table each.
  class TableSetting : public Object {
   public:
    TableSetting(ServerPtr s, std::shared_ptr<Table> t, int member, bool (*set)(Table&, int))
        : Object(std::move(s)), t_(std::move(t)), member_(member), set_(set) {}
    bool Put(int member, const Args&, const Variant& value) override {
      std::int32_t v = 0;
      return member == member_ && ToInt(value, v) && set_(*t_, v);
    }

   private:
    std::shared_ptr<Table> t_;
    int member_;
    bool (*set_)(Table&, int);
  };

  std::shared_ptr<Table> t_;
};

class TablesObject : public Object {
 public:
  using Object::Object;
  Variant Call(int member, const Args& args) override {
    std::int32_t rows = 0, columns = 0;
    if (member != word::kAddTable || args.size() < 3 || !Arg(args, 1, rows) || !Arg(args, 2, columns)) return {};
    const auto* range = dynamic_cast<RangeObject*>(AsObject(args[0]).get());
    const auto at = range ? range->Where().InsertionPoint() : std::nullopt;
    if (!at) return {};
    auto table = s_->AddTable(*at, rows, columns);
    if (!table) return {};
    return Make<TableObject>(s_, std::move(table));
  }
};

class SelectionObject : public Object {
 public:
  using Object::Object;
  Variant Get(int member, const Args&) override {
    switch (member) {
      case word::kParagraphFormat:
        return Make<ParagraphFormatObject>(s_);
      case word::kFont:
        return Make<FontObject>(s_);
      case word::kSelectionRange:
        if (s_->selectedCell) return Make<RangeObject>(s_, Target{Target::kCell, {}, *s_->selectedCell});
        return Make<RangeObject>(s_, Target{Target::kAt, s_->at, {}});
      case word::kTables:
        return Make<TablesObject>(s_);
      default:
        return {};
    }
  }
  Variant Call(int member, const Args& args) override {
    std::int32_t v = 0;
    switch (member) {
      case word::kTypeParagraph:
        s_->TypeParagraph();
        return {};
      case word::kEndKey:
        if (Arg(args, 0, v) && v == word::kStory) {
          s_->selectedCell.reset();
          s_->at = s_->End();
        }
        return std::int32_t{0};
      case word::kInsertBreak:
        if (Arg(args, 0, v) && v == word::kSectionBreakNextPage) s_->InsertSectionBreak();
        return {};
      default:
        return {};
    }
  }
};

class DocumentObject : public Object {
 public:
  DocumentObject(ServerPtr s, std::shared_ptr<WordDocument> d) : Object(std::move(s)), d_(std::move(d)) {}
  Variant Call(int member, const Args&) override {
    if (member != word::kDocumentRange) return {};
    return Make<RangeObject>(s_, Target{Target::kDocument, {d_, &d_->body, 0}, {}});
  }

 private:
  std::shared_ptr<WordDocument> d_;
};

class DocumentsObject : public Object {
 public:
  using Object::Object;
  Variant Call(int member, const Args&) override {
    if (member != word::kAdd || s_->done) return {};
    auto doc = std::make_shared<WordDocument>();
    s_->documents.push_back(doc);
    s_->selectedCell.reset();
    s_->at = {doc, &doc->body, 0};
    return Make<DocumentObject>(s_, std::move(doc));
  }
};

class ApplicationObject : public Object {
 public:
  using Object::Object;
  // Releasing the application finishes its documents.
  ~ApplicationObject() override { s_->Finish(); }

  Variant Get(int member, const Args&) override {
    switch (member) {
      case word::kVersion:
        return std::string("16.0");
      case word::kDocuments:
        return Make<DocumentsObject>(s_);
      case word::kActiveDocument:
        if (const auto doc = s_->Active()) return Make<DocumentObject>(s_, doc);
        return {};
      case word::kSelection:
        if (s_->Active()) return Make<SelectionObject>(s_);
        return {};
      case word::kVisible:
        return s_->visible;
      default:
        return {};
    }
  }
  bool Put(int member, const Args&, const Variant& value) override {
    return member == word::kVisible && ToBool(value, s_->visible);
  }
  Variant Call(int member, const Args& args) override {
    if (member != word::kQuit) return {};
    // Quit without saving (0) discards the documents; any other answer keeps them.
    std::int32_t save = 0;
    if (Arg(args, 0, save) && save == 0) {
      s_->done = true;
    } else {
      s_->Finish();
    }
    return {};
  }
};

}  // namespace

DispatchPtr CreateWordApplication(std::shared_ptr<FileDelivery> delivery) {
  return std::make_shared<ApplicationObject>(std::make_shared<Server>(std::move(delivery)));
}

}  // namespace tarnix::automation
