#include "report/office_excel.h"

#include <gtest/gtest.h>

#include "platform/automation/recording_dispatch.h"
#include "report/office_desktop.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

using automation::RecordingFactory;
using Lines = std::vector<std::string>;

// A receiver with points of the given spans and arrival times, deepest first.
SectionRecord Receiver(std::vector<float> spans, std::vector<float> times) {
  SectionRecord s;
  s.valid = true;
  for (size_t i = 0; i < spans.size(); ++i) {
    CSamNode p;
    p.span = spans[i];
    p.sourL = 10.0f - 0.2f * static_cast<float>(i);
    s.points.push_back(p);
    s.depths.push_back(p.sourL);
  }
  s.arrivalTime = std::move(times);
  s.firstIndex = 0;
  s.lastIndex = s.PointCount() - 1;
  return s;
}

TEST(OfficeExcelTest, TheSheetListsTheEvaluatedRangeShallowestFirstAsTheDataTableDoes) {
  SectionRecord one = Receiver({0.5f, 0.5f, 0.5f, 0.5f}, {100.0f, 120.0f, 130.0f, 140.0f});
  const SectionRecord two = Receiver({0.8f, 0.8f, 0.8f, 0.8f}, {150.0f, 180.0f, 130.0f, 200.0f});
  // The evaluated range is points 1..2: point 2 is row 0, point 1 row 1.
  one.firstIndex = 1;
  one.lastIndex = 2;
  const std::vector<ExcelRow> rows = ExcelSheetTexts({&one, &two});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (ExcelRow{"测点序号", "深度\nm", "L1\nmm", "T1\nus", "L2\nmm", "T2\nus", "声时差\nus",
                               "波速差\nkm/s"}));
  EXPECT_EQ(rows[1], (ExcelRow{"0", "9.60", "500", "130.0", "800", "130.0", "0.0", "0"}));  // equal times
  EXPECT_EQ(rows[2], (ExcelRow{"1", "9.80", "500", "120.0", "800", "180.0", "60.0", "5.000"}));
}

TEST(OfficeExcelTest, APointTheSecondReceiverLacksIsEmptyAndOnePointGivesOneRow) {
  const SectionRecord one = Receiver({0.5f, 0.5f}, {120.0f, 121.0f});
  const SectionRecord two = Receiver({0.8f}, {180.0f});
  const std::vector<ExcelRow> rows = ExcelSheetTexts({&one, &two});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (ExcelRow{"0", "9.80", "500", "121.0", "", "", "", "0"}));
  EXPECT_EQ(rows[2][7], "5.000");

  const SectionRecord single = Receiver({0.5f}, {120.0f});
  const std::vector<ExcelRow> lone = ExcelSheetTexts({&single, &two});
  ASSERT_EQ(lone.size(), 2u);
  EXPECT_EQ(lone[1][0], "0");
}

TEST(OfficeExcelTest, AnExportMakesTheCallsOfThePartInOrder) {
  const SectionRecord one = Receiver({0.5f}, {120.0f});
  const SectionRecord two = Receiver({0.8f}, {180.0f});
  RecordingFactory factory;
  ScriptedUiServices ui;
  EXPECT_EQ(ExportExcel({&one, &two}, factory, ui), ExcelOutcome::Done);
  const std::string cells = "app.572.181.494.170.238";
  Lines expected{"create Excel.Application",       "app.get 572()",
                 "app.572.call 181(<missing>)",    "app.572.181.get 494()",
                 "app.572.181.494.get 170(\"sheet1\")", "app.572.181.494.170.get 238()",
                 cells + ".put 242() = 9"};
  const ExcelRow values{"0", "10.00", "500", "120.0", "800", "180.0", "60.0", "5.000"};
  const std::vector<ExcelRow> rows = ExcelSheetTexts({&one, &two});
  for (int c = 0; c < kExcelColumns; ++c) {
    for (int r = 0; r < 2; ++r) {
      const std::string text = r == 0 ? rows[0][c] : values[c];
      expected.push_back(cells + ".put 170(" + std::to_string(r + 1) + ", " + std::to_string(c + 1) + ") = \"" +
                         text + "\"");
    }
  }
  expected.push_back("app.put 558() = true");
  EXPECT_EQ(factory.log->lines, expected);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.maxWaitDepth, 1);
  EXPECT_EQ(ui.waitDepth, 0);
}

TEST(OfficeExcelTest, EachFailureShowsItsOneMessageWithItsEffect) {
  const SectionRecord one = Receiver({0.5f}, {120.0f});
  const SectionRecord two = Receiver({0.8f}, {180.0f});
  struct Case {
    int failing;  // member id that answers empty; 0 none
    bool noServer;
    ExcelOutcome outcome;
    Lines tail;  // the calls after the last get
  } cases[] = {
      {0, true, ExcelOutcome::NoServer, {"create Excel.Application"}},
      {572, false, ExcelOutcome::NoWorkbook, {"app.get 572()", "app.call 302()"}},
      {181, false, ExcelOutcome::NoWorkbook, {"app.572.call 181(<missing>)", "app.call 302()"}},
      {170, false, ExcelOutcome::NoSheet, {"app.572.181.494.get 170(\"sheet1\")", "app.put 558() = true"}},
      {238, false, ExcelOutcome::NoRange, {"app.572.181.494.170.get 238()", "app.put 558() = true"}},
  };
  for (const Case& c : cases) {
    RecordingFactory factory;
    if (c.noServer) factory.missing.insert("Excel.Application");
    if (c.failing != 0) factory.log->failing.insert(c.failing);
    ScriptedUiServices ui;
    EXPECT_EQ(ExportExcel({&one, &two}, factory, ui), c.outcome);
    EXPECT_EQ(ui.MessageTexts(), Lines{ExcelMessage(c.outcome)});
    const Lines& log = factory.log->lines;
    ASSERT_GE(log.size(), c.tail.size());
    EXPECT_EQ(Lines(log.end() - c.tail.size(), log.end()), c.tail) << c.failing;
  }
  // Without a pair nothing is started.
  RecordingFactory factory;
  ScriptedUiServices ui;
  EXPECT_EQ(ExportExcel({&one, nullptr}, factory, ui), ExcelOutcome::NoDocument);
  EXPECT_EQ(ui.MessageTexts(), Lines{"请先打开文件!"});
  EXPECT_TRUE(factory.log->lines.empty());
  EXPECT_EQ(ui.maxWaitDepth, 0);
}

TEST(OfficeExcelTest, TheDesktopNamesTheFileAfterTheHole) {
  TestHeader h;
  h.m_holeID = "ZK01";
  EXPECT_EQ(OfficeBaseName(h, "/data/a.CHT"), "ZK01");
  h.m_holeID = "***";  // the instrument's "not given"
  EXPECT_EQ(OfficeBaseName(h, "/data/a.CHT"), "a");
  EXPECT_EQ(OfficeBaseName(h, ""), "Tarnix");
}

}  // namespace
}  // namespace tarnix
