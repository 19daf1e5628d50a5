// 报告输出到WORD: the calls the client makes of the word processor, its
// start-up failures, and the .docx the in-process server makes of the sample.
#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <cstring>
#include <fstream>
#include <regex>

#include "platform/automation/office_servers.h"
#include "platform/automation/recording_dispatch.h"
#include "report/report_job.h"
#include "report/word_office.h"
#include "report/word_report.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"
#include "support/zip_entries.h"

namespace tarnix {
namespace {

using automation::RecordingFactory;

// The picture files live in a folder of each run; the log keeps their names.
std::vector<std::string> Normalised(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) out.push_back(std::regex_replace(l, std::regex("\"[^\"]*/(Config\\d\\.bmp)\""), "\"$1\""));
  return out;
}

size_t Count(const std::vector<std::string>& lines, const std::string& part) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(WordReportTest, AFormatOnePageCallsTheServerInItsOrder) {
  RecordingFactory factory;
  ScriptedUiServices ui;
  TestHeader h;
  h.site = "隧洞";
  h.date = "2024-05-06 10:00";
  h.unit = "院";
  h.person = "李";
  h.m_holeID = "ZK01";
  h.inst = "kvt-1";
  {
    CWordOffice word(factory, ui);
    ASSERT_TRUE(word.Start());
    word.AddPage(h, 0, "Config0.bmp", true);
  }
  const std::string t = "app.5.50.200";
  EXPECT_EQ(factory.log->lines,
            (std::vector<std::string>{
                "create Word.Application", "app.get 24()", "app.get 6()", "app.6.call 14(\"\", false, 0, <missing>)",
                "app.get 3()", "app.get 5()", "app.3.call 2000(<missing>, <missing>)", "app.put 23() = true",
                "app.5.call 512()", "app.5.get 1102()", "app.5.1102.put 110() = 0", "app.5.get 5()",
                "app.5.5.put 142() = \"宋体\"", "app.5.5.put 130() = false", "app.5.5.put 141() = 11.0",
                "app.5.get 400()", "app.5.get 50()", "app.5.50.call 200(<object>, 4, 2, <missing>, <missing>)",
                t + ".get 101()", t + ".101.put 4() = 1", t + ".get 1100()", t + ".1100.put 2() = 1", t + ".get 0()",
                t + ".0.get 57()", t + ".0.57.put 1104() = 1",
                t + ".call 17(1, 1)", t + ".17.get 0()", t + ".17.0.put 0() = \"工程名称：隧洞\"",
                t + ".call 17(1, 2)", t + ".17.get 0()", t + ".17.0.put 0() = \"测试日期：2024-05-06\"",
                t + ".call 17(2, 1)", t + ".17.get 0()", t + ".17.0.put 0() = \"测试单位：院\"",
                t + ".call 17(2, 2)", t + ".17.get 0()", t + ".17.0.put 0() = \"测试人员：李\"",
                t + ".call 17(3, 1)", t + ".17.get 0()", t + ".17.0.put 0() = \"钻孔编号：ZK01\"",
                t + ".call 17(3, 2)", t + ".17.get 0()", t + ".17.0.put 0() = \"测试仪器：KVT-1\"",
                t + ".call 17(4, 1)", t + ".call 17(4, 2)", t + ".17.call 204(<object>)", t + ".17.get 0()",
                t + ".17.0.call 65535()", "app.5.call 512()", "app.5.call 512()", "app.5.get 400()",
                "app.5.400.get 319()", "app.5.400.319.call 100(\"Config0.bmp\", false, true, <missing>)"}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST(WordReportTest, AStartUpFailureIsShownAndTheServerQuitsWithoutSaving) {
  const std::pair<int, const char*> failures[] = {{6, "Documents创建失败!"},
                                                  {3, "Document获取失败!"},
                                                  {5, "Select获取失败!"},
                                                  {2000, "Range获取失败!"}};
  for (const auto& [member, message] : failures) {
    RecordingFactory factory;
    factory.log->failing.insert(member);
    ScriptedUiServices ui;
    CWordOffice word(factory, ui);
    EXPECT_FALSE(word.Start());
    EXPECT_EQ(ui.warnings, std::vector<std::string>{message});
    EXPECT_EQ(factory.log->lines.back(), "app.call 1105(0, 1, 0)");
    EXPECT_EQ(Count(factory.log->lines, "put 23"), 0u);
  }
  RecordingFactory factory;
  factory.missing.insert("Word.Application");
  test::SampleDocument sample;
  ASSERT_TRUE(sample.doc.OnOpenDocument(test::kSamplePath));
  test::TempDir dir;
  EXPECT_FALSE(ReportToWord(sample.doc, factory, dir.File("cache")));
  EXPECT_EQ(sample.ui.warnings, std::vector<std::string>{"Application创建失败，请确保安装了word 2000或以上版本!"});
  EXPECT_EQ(factory.log->lines, std::vector<std::string>{"create Word.Application"});
  EXPECT_FALSE(std::filesystem::exists(dir.File("cache")));  // no page pictures were made
}

class WordJobTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sample_.doc.OnOpenDocument(test::kSamplePath)); }
  int Pages() { return PaginateJob(PdfPrinterMetrics(), ReportSource(sample_.doc), KindsOf(sample_.doc.pageSetup)).Total(); }
  void AllKinds() {
    sample_.doc.pageSetup.printCurvePages = 1;
    sample_.doc.pageSetup.printWaveTrainPages = 1;
    sample_.doc.pageSetup.printReportPages = 1;
  }

  test::SampleDocument sample_;
  test::TempDir dir_;
};

TEST_F(WordJobTest, PagesReuseThreePictureNamesAndOnlyTheLastHasNoBreak) {
  ASSERT_EQ(Pages(), 1);
  RecordingFactory one;
  EXPECT_TRUE(ReportToWord(sample_.doc, one, dir_.File("cache")));
  EXPECT_EQ(Count(one.log->lines, ".call 100("), 1u);
  EXPECT_EQ(Count(one.log->lines, "call 505("), 0u);
  EXPECT_EQ(Count(one.log->lines, "call 122("), 0u);

  AllKinds();
  const int pages = Pages();
  ASSERT_GE(pages, 4);
  RecordingFactory many;
  EXPECT_TRUE(ReportToWord(sample_.doc, many, dir_.File("cache")));
  std::vector<std::string> pictures;
  for (const std::string& l : Normalised(many.log->lines)) {
    if (l.find(".call 100(") != std::string::npos) pictures.push_back(l.substr(l.find('"')));
  }
  ASSERT_EQ(static_cast<int>(pictures.size()), pages);
  EXPECT_EQ(pictures[0].substr(0, 13), "\"Config0.bmp\"");
  EXPECT_EQ(pictures[1].substr(0, 13), "\"Config1.bmp\"");
  EXPECT_EQ(pictures[2].substr(0, 13), "\"Config2.bmp\"");
  EXPECT_EQ(pictures[3].substr(0, 13), "\"Config0.bmp\"");
  EXPECT_EQ(static_cast<int>(Count(many.log->lines, "call 505(6, 0)")), pages - 1);
  EXPECT_EQ(static_cast<int>(Count(many.log->lines, "call 122(2)")), pages - 1);
  EXPECT_TRUE(sample_.ui.messages.empty());
}

TEST_F(WordJobTest, APictureThatCannotBeWrittenIsReportedAndLeftOut) {
  std::ofstream(dir_.File("cache")) << "a file where the folder should be";
  RecordingFactory factory;
  EXPECT_FALSE(ReportToWord(sample_.doc, factory, dir_.File("cache")));
  EXPECT_EQ(sample_.ui.MessageTexts(), std::vector<std::string>{"error!"});
  EXPECT_EQ(Count(factory.log->lines, ".call 100("), 0u);
  EXPECT_EQ(Count(factory.log->lines, "call 200("), 1u);  // the page's table is there
}

TEST_F(WordJobTest, TheDocxHasOneSectionPerPageWithItsMergedTableAndPicture) {
  AllKinds();
  sample_.doc.pageSetup.headerBlockFormat = 1;
  const int pages = Pages();
  const std::string path = dir_.File("ZK01.docx");
  automation::OfficeServers servers({path, "", ""}, {});
  ASSERT_TRUE(ReportToWord(sample_.doc, servers, dir_.File("cache")));
  const auto parts = test::ZipEntries(path);
  for (const char* name : {"[Content_Types].xml", "_rels/.rels", "word/_rels/document.xml.rels", "word/styles.xml"}) {
    ASSERT_EQ(parts.count(name), 1u) << name;
    QXmlStreamReader xml(QByteArray::fromStdString(parts.at(name)));
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
  }
  const std::string& body = parts.at("word/document.xml");
  QXmlStreamReader xml(QByteArray::fromStdString(body));
  int sections = 0, tables = 0, restarts = 0, continued = 0;
  std::map<QString, int> spans;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString name = xml.qualifiedName().toString();
    sections += name == "w:sectPr";
    tables += name == "w:tbl";
    if (name == "w:gridSpan") ++spans[xml.attributes().value("w:val").toString()];
    if (name == "w:vMerge") (xml.attributes().value("w:val") == QLatin1String("restart") ? restarts : continued)++;
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(sections, pages);  // one break fewer than pages, and the body's own
  EXPECT_EQ(tables, pages);
  // Per page: four pairs of columns 1-2 and 3-4, 坐标 over two columns twice, the picture over four.
  EXPECT_EQ(spans["2"], 7 * pages);
  EXPECT_EQ(spans["4"], pages);
  EXPECT_EQ(restarts, pages);
  EXPECT_EQ(continued, pages);
  EXPECT_GT(Count(body, "<w:sz w:val=\"20\"/>"), 0u);
  EXPECT_EQ(Count(body, "w:eastAsia=\"宋体\""), Count(body, "<w:sz w:val=\"20\"/>"));
  EXPECT_NE(body.find("坐标(m)"), std::string::npos);
  EXPECT_NE(body.find("<w:vAlign w:val=\"center\"/>"), std::string::npos);
  // Each page's picture was taken before the fourth page wrote its file again.
  ASSERT_EQ(parts.count("word/media/image" + std::to_string(pages) + ".bmp"), 1u);
  EXPECT_NE(parts.at("word/media/image1.bmp"), parts.at("word/media/image4.bmp"));
  // A picture is 4000 printer pixels and the page's height without its top 6/50, in a 5-pixel border.
  const std::string& bmp = parts.at("word/media/image1.bmp");
  const int h = PaginateJob(PdfPrinterMetrics(), ReportSource(sample_.doc), KindsOf(sample_.doc.pageSetup)).area.height;
  int32_t width = 0, height = 0;
  std::memcpy(&width, bmp.data() + 18, 4);
  std::memcpy(&height, bmp.data() + 22, 4);
  EXPECT_EQ(width, 4010);
  EXPECT_EQ(height, h - h * 6 / 50 + 10);
}

TEST_F(WordJobTest, WithoutACurrentSectionNothingHappens) {
  test::SampleDocument empty;
  RecordingFactory factory;
  EXPECT_FALSE(ReportToWord(empty.doc, factory, dir_.File("cache")));
  EXPECT_TRUE(factory.log->lines.empty());
  EXPECT_TRUE(empty.ui.messages.empty());
}

}  // namespace
}  // namespace tarnix
