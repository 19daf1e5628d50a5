// 报告输出到BMP and 导出测点波形 from the menu: one dialog per page proposing the
// hole number, a cancelled page skipped, and the point picture's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "report/report_job.h"
#include "shell/main_frame.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class BitmapExportsTest : public ::testing::Test {
 protected:
  BitmapExportsTest() : doc_(ui_, recent_), frame_(doc_, recent_) {}
  void Open() {
    ASSERT_TRUE(doc_.OnOpenDocument(kSample));
    frame_.RefreshViews();
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  CMainFrame frame_;
  test::TempDir dir_;
};

TEST_F(BitmapExportsTest, EveryReportPageAsksForItsFile) {
  Open();
  doc_.pageSetup.printCurvePages = 1;
  doc_.pageSetup.printWaveTrainPages = 1;
  doc_.pageSetup.printReportPages = 1;
  frame_.Execute(CommandId::AnalysisOutput);
  ASSERT_TRUE(frame_.Action(CommandId::ReportBmp)->isEnabled());
  const int pages = PaginateJob(PdfPrinterMetrics(), ReportSource(doc_), KindsOf(doc_.pageSetup)).Total();
  ASSERT_GE(pages, 3);
  ui_.files = {dir_.File("a.bmp"), std::nullopt, dir_.File("c.bmp")};
  frame_.Execute(CommandId::ReportBmp);

  ASSERT_EQ(static_cast<int>(ui_.dialogs.size()), pages);
  for (const FileDialogRequest& d : ui_.dialogs) {
    EXPECT_EQ(d.proposedName, doc_.Header().m_holeID);
    EXPECT_EQ(d.defaultExtension, "bmp");
  }
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"导出打印内容到BMP成功！", "导出打印内容到BMP成功！"}));
  EXPECT_TRUE(std::filesystem::exists(dir_.File("a.bmp")));
  EXPECT_TRUE(std::filesystem::exists(dir_.File("c.bmp")));
  const auto files = std::filesystem::directory_iterator(dir_.File(""));
  EXPECT_EQ(std::distance(begin(files), end(files)), 2);  // the cancelled page wrote nothing
}

TEST_F(BitmapExportsTest, ThePointPictureOfTheSelectedPoint) {
  ui_.files = {std::nullopt};
  frame_.Execute(CommandId::ExportPointWaves);
  Open();
  doc_.SetCurrentSection(0);
  int point = 0;
  while (!doc_.Section(0).points[point].HasWaveform()) ++point;
  doc_.SetCurrentPoint(point);
  ui_.messages.clear();
  ui_.files = {dir_.File("p.bmp")};
  frame_.Execute(CommandId::ExportPointWaves);
  ASSERT_FALSE(ui_.dialogs.empty());
  EXPECT_NE(ui_.dialogs.back().proposedName.find("\u20141-2\u2014"), std::string::npos)
      << ui_.dialogs.back().proposedName;
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"导出测点波形BMP成功！"});
  EXPECT_EQ(std::filesystem::file_size(dir_.File("p.bmp")), 52062u);
}

}  // namespace
}  // namespace tarnix
