// tarnix-cli batch over a folder: every test on its own, damaged ones listed,
// result files that read back, an overview that matches stats.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

using test::Cli;
using test::CliRun;

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// count small synthetic holes in dir, named h0.CHT, h1.CHT, ...
void Synthesise(const test::TempDir& dir, int count) {
  std::filesystem::create_directories(dir.File("in/sub"));
  for (int i = 0; i < count; ++i) {
    const std::string where = i % 3 == 2 ? "in/sub/h" : "in/h";
    ASSERT_EQ(Cli("synth --points 12 --seed " + std::to_string(i) + " --out " + dir.File(where + std::to_string(i) + ".CHT")).code, 0);
  }
}

TEST(CliBatchTest, DamagedFilesAreListedAndTheRestWritten) {
  test::TempDir dir;
  Synthesise(dir, 3);
  std::ofstream(dir.File("in/bad.CHT")) << "PQKVT_CrsHlDat_DatFormat:\r\n";
  std::filesystem::copy_file(dir.File("in/h0.CHD"), dir.File("in/bad.CHD"));

  const CliRun run = Cli("batch --jobs 2 --pick --result-dir " + dir.File("out") + " --xlsx-dir " +
                         dir.File("books") + " --summary " + dir.File("out/all.csv") + " " + dir.File("in"));
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("bad.CHT: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("3 processed, 1 failed"), std::string::npos) << run.out;

  // The folder's layout is kept in both folders, with only finished files in them.
  for (const char* book : {"books/h0.xlsx", "books/h1.xlsx", "books/sub/h2.xlsx"}) {
    EXPECT_EQ(ReadText(dir.File(book)).substr(0, 2), "PK") << book;
  }
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.File("books"))) {
    files += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(files, 3u);
  // The overview is what stats shows of each result.
  const std::string summary = ReadText(dir.File("out/all.csv"));
  const std::string deep = dir.File("out/sub/h2.CHA");
  ASSERT_EQ(Cli("stats " + deep).code, 0);
  const std::string stats = Cli("stats " + deep).out;
  const size_t row = summary.find(deep + ",");
  ASSERT_NE(row, std::string::npos) << summary;
  const std::string line = summary.substr(row, summary.find('\n', row) - row);
  const size_t vMean = stats.find("V平均值\t");
  ASSERT_NE(vMean, std::string::npos);
  EXPECT_NE(line.find("," + stats.substr(vMean + 11, 5) + ","), std::string::npos) << line << "\n" << stats;
}

TEST(CliBatchTest, ReportsAndLogsKeepTheFoldersLayout) {
  test::TempDir dir;
  Synthesise(dir, 3);
  const CliRun run = Cli("batch --jobs 2 --docx-dir " + dir.File("docs") + " --pdf-dir " + dir.File("pdf") +
                         " --bmp-dir " + dir.File("bmp") + " --las-dir " + dir.File("las") + " " + dir.File("in"));
  EXPECT_EQ(run.code, 0) << run.out;
  for (const char* name : {"docs/h0.docx", "docs/h1.docx", "docs/sub/h2.docx"}) {
    EXPECT_EQ(ReadText(dir.File(name)).substr(0, 2), "PK") << name;
  }
  EXPECT_EQ(ReadText(dir.File("pdf/sub/h2.pdf")).substr(0, 4), "%PDF");
  // A folder per test, its pages named by the hole as the report command names them.
  int pages = 0;
  for (const auto& f : std::filesystem::directory_iterator(dir.File("bmp/sub/h2"))) {
    EXPECT_EQ(ReadText(f.path().string()).substr(0, 2), "BM") << f.path();
    ++pages;
  }
  EXPECT_GT(pages, 0);
  EXPECT_EQ(Cli("export " + dir.File("in/sub/h2.CHT") + " --las " + dir.File("one.las")).code, 0);
  EXPECT_EQ(ReadText(dir.File("las/sub/h2.las")), ReadText(dir.File("one.las")));
  // Export writes the same report of one test; the section goes with the log exports only.
  EXPECT_EQ(Cli("export " + dir.File("in/h0.CHT") + " --docx " + dir.File("one.docx")).code, 0);
  EXPECT_EQ(ReadText(dir.File("one.docx")).substr(0, 2), "PK");
  EXPECT_EQ(Cli("export " + dir.File("in/h0.CHT") + " --docx x.docx --section 1").code, 2);
}

TEST(CliBatchTest, AnInputsDataFileIsNeverRewritten) {
  test::TempDir dir;
  Synthesise(dir, 1);
  const std::string before = ReadText(dir.File("in/h0.CHD"));
  const CliRun run = Cli("batch --pick --result-dir " + dir.File("in") + " " + dir.File("in/h0.CHT"));
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("0 processed, 1 failed"), std::string::npos) << run.out;
  EXPECT_EQ(ReadText(dir.File("in/h0.CHD")), before);
  EXPECT_FALSE(std::filesystem::exists(dir.File("in/h0.CHA")));
}

// Under the thread sanitizer build (scripts/tsan) this is the race check.
TEST(CliBatchTest, FourWorkersOverFortyTests) {
  test::TempDir dir;
  Synthesise(dir, 40);
  const CliRun run = Cli("batch --jobs 4 --pick --result-dir " + dir.File("out") + " --xlsx-dir " + dir.File("out") +
                         " " + dir.File("in"));
  EXPECT_EQ(run.code, 0) << run.out;
  EXPECT_NE(run.out.find("40 processed, 0 failed"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tarnix
