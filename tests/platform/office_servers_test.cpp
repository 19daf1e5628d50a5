#include "platform/automation/office_servers.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "platform/automation/excel_server.h"

namespace tarnix::automation {
namespace {

namespace fs = std::filesystem;
using namespace excel;

// One part of a zip archive, or nothing when the archive or part is unreadable.
std::optional<std::string> ZipPart(const std::string& path, const std::string& part) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) return std::nullopt;
  std::optional<std::string> text;
  zip_stat_t st;
  if (zip_stat(archive, part.c_str(), 0, &st) == 0) {
    if (zip_file_t* f = zip_fopen(archive, part.c_str(), 0)) {
      std::string bytes(st.size, '\0');
      if (zip_fread(f, bytes.data(), st.size) == static_cast<zip_int64_t>(st.size)) text = bytes;
      zip_fclose(f);
    }
  }
  zip_close(archive);
  return text;
}

struct Outcomes {
  std::vector<FinishedFile> finished;
  OfficeServers Servers(OfficeOutput output) {
    return OfficeServers(std::move(output), [this](const FinishedFile& f) { finished.push_back(f); });
  }
};

// The export's path through the server: one workbook, a few cells.
void FillBook(const DispatchPtr& app, const char* sheetName = "sheet1") {
  DispatchPtr book = AsObject(Call(AsObject(Get(app, kWorkbooks)), kAdd, {Missing{}}));
  DispatchPtr sheet = AsObject(Get(AsObject(Get(book, kWorksheets)), kItem, {std::string(sheetName)}));
  DispatchPtr cells = AsObject(Get(sheet, kCells));
  ASSERT_NE(cells, nullptr);
  EXPECT_TRUE(Put(cells, kColumnWidth, std::int32_t{9}));
  EXPECT_TRUE(Put(cells, kItem, {std::int32_t{1}, std::int32_t{2}}, std::string("深度\nm")));
  EXPECT_TRUE(Put(cells, kItem, {std::int32_t{2}, std::int32_t{2}}, std::string("120.0")));
  EXPECT_TRUE(Put(cells, kItem, {std::int32_t{2}, std::int32_t{1}}, std::string("0")));
}

TEST(OfficeServersTest, AWorkbookIsWrittenWhenTheLastReferenceGoesAndHoldsTheTexts) {
  test::TempDir dir;
  Outcomes run;
  OfficeServers servers = run.Servers({dir.File("out.xlsx"), "", ""});
  EXPECT_EQ(servers.Create("Word.Application.8"), nullptr);
  DispatchPtr app = servers.Create("excel.application");
  ASSERT_NE(app, nullptr);
  FillBook(app);
  EXPECT_TRUE(Put(app, kVisible, true));
  EXPECT_TRUE(run.finished.empty());  // still open
  app.reset();
  ASSERT_EQ(run.finished.size(), 1u);
  EXPECT_EQ(run.finished[0].path, dir.File("out.xlsx"));
  EXPECT_TRUE(run.finished[0].visible);
  EXPECT_EQ(run.finished[0].error, "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);  // nothing staged left

  const std::optional<std::string> book = ZipPart(dir.File("out.xlsx"), "xl/workbook.xml");
  ASSERT_TRUE(book);
  EXPECT_NE(book->find("name=\"Sheet1\""), std::string::npos);
  const std::optional<std::string> strings = ZipPart(dir.File("out.xlsx"), "xl/sharedStrings.xml");
  ASSERT_TRUE(strings);
  for (const char* text : {"<t>深度\nm</t>", "<t>120.0</t>", "<t>0</t>"}) {
    EXPECT_NE(strings->find(text), std::string::npos) << text;
  }
  const std::optional<std::string> sheet = ZipPart(dir.File("out.xlsx"), "xl/worksheets/sheet1.xml");
  ASSERT_TRUE(sheet);
  EXPECT_NE(sheet->find("<col min=\"1\" max=\"16384\""), std::string::npos);
  // The two-line header wraps in a row two lines tall; the numbers stay plain texts.
  EXPECT_NE(sheet->find("ht=\"30\" customHeight=\"1\"><c r=\"B1\" s=\"1\""), std::string::npos);
  EXPECT_NE(sheet->find("<c r=\"B2\" t=\"s\">"), std::string::npos);
}

TEST(OfficeServersTest, QuitDiscardsAndUnknownMembersAnswerEmpty) {
  test::TempDir dir;
  Outcomes run;
  OfficeServers servers = run.Servers({"", dir.Path().string(), "ZK01"});
  DispatchPtr app = servers.Create("Excel.Application");
  DispatchPtr books = AsObject(Get(app, kWorkbooks));
  DispatchPtr book = AsObject(Call(books, kAdd, {Missing{}}));
  DispatchPtr sheets = AsObject(Get(book, kWorksheets));
  EXPECT_EQ(AsObject(Get(sheets, kItem, {std::string("Sheet2")})), nullptr);
  EXPECT_NE(AsObject(Get(sheets, kItem, {std::int32_t{1}})), nullptr);
  EXPECT_TRUE(IsEmpty(Get(app, 999)));
  EXPECT_TRUE(IsEmpty(Call(books, kWorkbooks)));
  EXPECT_FALSE(Put(app, kWorkbooks, true));
  Call(app, kQuit);
  EXPECT_TRUE(IsEmpty(Get(app, kWorkbooks)));  // the application is gone
  app.reset();
  books.reset();
  book.reset();
  sheets.reset();
  EXPECT_TRUE(run.finished.empty());
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(OfficeServersTest, FilesInAFolderTakeTheHoleNameMadeUnique) {
  test::TempDir dir;
  std::ofstream(dir.File("ZK_01.xlsx")) << "an earlier export";
  Outcomes run;
  OfficeServers servers = run.Servers({"", dir.Path().string(), "ZK/01"});
  for (int i = 0; i < 2; ++i) {
    DispatchPtr app = servers.Create("Excel.Application");
    FillBook(app, "SHEET1");
  }
  ASSERT_EQ(run.finished.size(), 2u);
  EXPECT_EQ(run.finished[0].path, dir.File("ZK_01 (2).xlsx"));
  EXPECT_EQ(run.finished[1].path, dir.File("ZK_01 (3).xlsx"));
  EXPECT_FALSE(run.finished[0].visible);
  EXPECT_TRUE(ZipPart(run.finished[1].path, "xl/worksheets/sheet1.xml"));
  std::ifstream earlier(dir.File("ZK_01.xlsx"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "an earlier export");
}

TEST(OfficeServersTest, AFailedWriteIsReportedAndLeavesTheTargetAlone) {
  test::TempDir dir;
  std::ofstream(dir.File("taken")) << "a file where the folder should be";
  Outcomes run;
  {
    OfficeServers servers = run.Servers({dir.File("taken/out.xlsx"), "", ""});
    FillBook(servers.Create("Excel.Application"));
  }
  ASSERT_EQ(run.finished.size(), 1u);
  EXPECT_EQ(run.finished[0].error, "写入文件失败：" + dir.File("taken/out.xlsx"));
  EXPECT_TRUE(fs::is_regular_file(dir.File("taken")));
}

TEST(OfficeServersTest, HoleNamesBecomeFileNames) {
  EXPECT_EQ(FileNamePart("ZK01"), "ZK01");
  EXPECT_EQ(FileNamePart("孔<1>:a*b?. "), "孔_1__a_b_");
  EXPECT_TRUE(SameName("Sheet1", "sHEET1"));
  EXPECT_FALSE(SameName("Sheet1", "Sheet"));
}

}  // namespace
}  // namespace tarnix::automation
