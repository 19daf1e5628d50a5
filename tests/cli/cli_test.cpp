// tarnix-cli as scripts use it: exit codes, messages and output shapes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <zip.h>

#include "base/c_text.h"
#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/cli_runner.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

using test::Cli;
using test::CliRun;

TEST(CliTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Cli("").code, 2);
  EXPECT_EQ(Cli("frobnicate x").code, 2);
  EXPECT_EQ(Cli("info").code, 2);
  EXPECT_EQ(Cli("synth --points 10").code, 2);          // no --out
  EXPECT_EQ(Cli("synth --out x.CHT --points lots").code, 2);
  EXPECT_EQ(Cli("dump a.CHT --bogus").code, 2);
}

TEST(CliTest, RefusesWhatTheDesktopRefusesAndSaysWhatIsWrong) {
  const std::string sample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";
  const CliRun high = Cli("pick " + sample + " --high-pass 30");
  EXPECT_EQ(high.code, 2);
  EXPECT_NE(high.out.find("高通范围为0.01-20kHz"), std::string::npos);
  EXPECT_NE(Cli("pick " + sample + " --low-pass 1").out.find("低通范围为2-500kHz"), std::string::npos);
  EXPECT_NE(Cli("pick " + sample + " --high-pass 8 --low-pass 5").out.find("高通值必须小于低通值"), std::string::npos);
  EXPECT_NE(Cli("pick " + sample + " --high-pass").out.find("--high-pass needs a cut-off"), std::string::npos);
  const CliRun range = Cli("save-result " + sample + " --out /tmp/never.CHA --range 0:500");
  EXPECT_EQ(range.code, 2);
  EXPECT_NE(range.out.find("outside the points 0:101"), std::string::npos) << range.out;
  EXPECT_EQ(Cli("--version").out.rfind("tarnix-cli ", 0), 0u);
  const CliRun help = Cli("stats --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("stats FILE [--json]"), std::string::npos);
  EXPECT_EQ(help.out.find("synth"), std::string::npos);  // that command's usage only
}

TEST(CliTest, FileErrorsPrintTheirMessageAndExitWithOne) {
  test::TempDir dir;
  const CliRun missing = Cli("info " + dir.File("none.CHT"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.out.find(dir.File("none.CHT") + ": 打开文件失败！"), std::string::npos);

  std::ofstream(dir.File("empty.CHT")).close();
  std::ofstream(dir.File("empty.CHD")).close();
  const CliRun empty = Cli("table " + dir.File("empty.CHT"));
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.out.find("文件为空!"), std::string::npos);
}

TEST(CliTest, SynthesisedTestOpensWithBothReceivers) {
  test::TempDir dir;
  const std::string path = dir.File("s.CHT");
  ASSERT_EQ(Cli("synth --out " + path + " --points 12 --seed 3 --dt 0.5 --snr 20").code, 0);

  const CliRun info = Cli("info " + path);
  ASSERT_EQ(info.code, 0) << info.out;
  EXPECT_NE(info.out.find("site: 合成测试场地"), std::string::npos);
  EXPECT_NE(info.out.find("sections in use: 2"), std::string::npos);
  EXPECT_NE(info.out.find("section 1: pipes 0-2"), std::string::npos);

  const CliRun dump = Cli("dump " + path + " --json --samples");
  ASSERT_EQ(dump.code, 0);
  const auto j = nlohmann::json::parse(dump.out);
  EXPECT_FLOAT_EQ(j["header"]["dT"].get<float>(), 0.5f);
  EXPECT_TRUE(j["header"]["curves"]["a"].contains("reference"));
  ASSERT_EQ(j["sections"].size(), 10u);
  const auto& s0 = j["sections"][0];
  EXPECT_TRUE(s0["valid"].get<bool>());
  EXPECT_FALSE(j["sections"][2]["valid"].get<bool>());
  // 12 measured points from 0.4 m plus fillers at 0.2 m and 0 m.
  ASSERT_EQ(s0["points"].size(), 14u);
  EXPECT_EQ(s0["psd"].size(), 13u);
  EXPECT_EQ(s0["points"][0]["samples"].size(), 1024u);
  EXPECT_FALSE(s0["points"][13]["hasWaveform"].get<bool>());
  EXPECT_GT(s0["velocity"][0].get<float>(), 1.0f);

  // Every automatic pick carries its quality.
  const CliRun pick = Cli("pick " + path + " --json");
  ASSERT_EQ(pick.code, 0);
  const auto picked = nlohmann::json::parse(pick.out);
  for (const auto& p : picked["sections"][1]["points"]) {
    const std::string q = p["pickQuality"];
    EXPECT_TRUE(q == "good" || q == "doubtful" || q == "poor") << q;
  }

  // Same seed, same file: the generator is reproducible.
  const std::string again = dir.File("t.CHT");
  ASSERT_EQ(Cli("synth --out " + again + " --points 12 --seed 3 --dt 0.5 --snr 20").code, 0);
  EXPECT_EQ(Cli("dump " + again).out, Cli("dump " + path).out);
}

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

TEST(CliTest, LogExportsCarryTheTablesValues) {
  test::TempDir dir;
  ASSERT_EQ(Cli("export " + kSample + " --las " + dir.File("z.las")).code, 0);
  ASSERT_EQ(Cli("export " + kSample + " --csv " + dir.File("z.csv")).code, 0);
  std::ifstream las(dir.File("z.las"));
  std::string line, section;
  int curves = 0, rows = 0;
  std::string at10;
  while (std::getline(las, line)) {
    if (line.rfind('~', 0) == 0) {
      section = line.substr(1, 1);
    } else if (section == "C") {
      ++curves;
    } else if (section == "A") {
      ++rows;
      std::istringstream values(line);
      double v;
      int n = 0;
      while (values >> v) ++n;
      EXPECT_EQ(n, curves) << line;
      if (line.find("   10.0000") == 0) at10 = line;
    }
  }
  EXPECT_EQ(curves, 8);
  ASSERT_FALSE(at10.empty());
  // Depth increases downwards, and T1 and T2 are the table's.
  const std::string table = Cli("table " + kSample).out;
  const size_t row = table.find("\n   10.00 ");
  ASSERT_NE(row, std::string::npos);
  std::istringstream tableRow(table.substr(row + 1)), lasRow(at10);
  double depth, t1, v1, a1, t2, lasDepth, lasT1, lasT2;
  tableRow >> depth >> t1 >> v1 >> a1 >> t2;
  lasRow >> lasDepth >> lasT1 >> lasT2;
  EXPECT_DOUBLE_EQ(lasT1, t1);
  EXPECT_DOUBLE_EQ(lasT2, t2);
  std::ifstream csv(dir.File("z.csv"));
  int csvLines = 0;
  while (std::getline(csv, line)) ++csvLines;
  EXPECT_EQ(csvLines, rows + 1);  // and its header
}

// The workbook of "导出到EXCEL" through the same calls and server as the desktop:
// a real .xlsx whose cells are the texts the data table shows.
TEST(CliTest, TheSpreadsheetExportIsARealWorkbook) {
  test::TempDir dir;
  const std::string out = dir.File("z.xlsx");
  ASSERT_EQ(Cli("export " + kSample + " --xlsx " + out).code, 0);
  int error = 0;
  zip_t* archive = zip_open(out.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(archive, nullptr);
  auto part = [&](const char* name) {
    std::string text;
    zip_stat_t st;
    zip_file_t* f = zip_stat(archive, name, 0, &st) == 0 ? zip_fopen(archive, name, 0) : nullptr;
    if (f == nullptr) return text;
    text.resize(st.size);
    if (zip_fread(f, text.data(), st.size) != static_cast<zip_int64_t>(st.size)) text.clear();
    zip_fclose(f);
    return text;
  };
  const std::string strings = part("xl/sharedStrings.xml");
  const std::string sheet = part("xl/worksheets/sheet1.xml");
  EXPECT_NE(part("[Content_Types].xml"), "");
  zip_close(archive);
  EXPECT_NE(strings.find("<t>测点序号</t>"), std::string::npos);
  EXPECT_NE(strings.find("<t>波速差\nkm/s</t>"), std::string::npos);
  // T1 at 10 m as the table prints it.
  const std::string table = Cli("table " + kSample).out;
  const size_t row = table.find("\n   10.00 ");
  ASSERT_NE(row, std::string::npos);
  std::istringstream tableRow(table.substr(row + 1));
  double depth, t1;
  tableRow >> depth >> t1;
  EXPECT_NE(strings.find("<t>" + CFormat("%.1f", t1) + "</t>"), std::string::npos);
  EXPECT_NE(strings.find("<t>10.00</t>"), std::string::npos);
  EXPECT_NE(sheet.find("<col min=\"1\" max=\"16384\""), std::string::npos);

  // A place that cannot be written is said, with exit code 1.
  std::ofstream(dir.File("blocker")) << "x";
  const CliRun blocked = Cli("export " + kSample + " --xlsx " + dir.File("blocker/y.xlsx"));
  EXPECT_EQ(blocked.code, 1);
  EXPECT_NE(blocked.out.find("写入文件失败："), std::string::npos) << blocked.out;
}

TEST(CliTest, StatisticsAsJsonNumbers) {
  const CliRun stats = Cli("stats " + kSample + " --json");
  ASSERT_EQ(stats.code, 0) << stats.out;
  const auto s = nlohmann::json::parse(stats.out)["sections"][0]["statistics"];
  EXPECT_TRUE(s["T最大值"].is_number());
  EXPECT_TRUE(s["V离差值"].is_number());  // the percentage as shown, without its sign
  EXPECT_TRUE(s["F临界值"].is_null());
  // The same digits as the text table.
  char shown[32];
  std::snprintf(shown, sizeof shown, "V平均值\t%.3f", s["V平均值"].get<double>());
  EXPECT_NE(Cli("stats " + kSample).out.find(shown), std::string::npos);
}

TEST(CliTest, SettingsFileAppliesTheDesktopsFilters) {
  test::TempDir dir;
  const std::string ini = dir.File("tarnix.ini");
  {
    ScriptedUiServices ui;
    MemoryRecentFileList recent;
    CTarnixDoc doc(ui, recent);
    for (int i = 0; i < kSectionCount; ++i) doc.SetFilter(i, ChannelFilter{true, 8.0f, true, 40.0f}, false);
    ASSERT_TRUE(doc.SaveSettings(ini));
  }
  const CliRun plain = Cli("dump " + kSample + " --json --samples");
  const CliRun filtered = Cli("--settings " + ini + " dump " + kSample + " --json --samples");
  ASSERT_EQ(filtered.code, 0) << filtered.out;
  const auto a = nlohmann::json::parse(plain.out)["sections"][0]["points"][5];
  const auto b = nlohmann::json::parse(filtered.out)["sections"][0]["points"][5];
  EXPECT_EQ(a["rawSamples"], b["rawSamples"]);
  EXPECT_NE(a["samples"], b["samples"]);
  EXPECT_EQ(Cli("--settings " + dir.File("none.ini") + " info " + kSample).code, 1);
}

}  // namespace
}  // namespace tarnix
