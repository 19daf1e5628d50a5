// 报告输出到BMP and 导出测点波形 from the menu: one dialog per page proposing the
// hole number, a cancelled page skipped, and the point picture's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "main_frame_fixture.h"
#include "report/report_bitmap.h"
#include "report/report_job.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

TEST_F(MainFrameTest, EveryReportPageAsksForItsFileAsABitmap) {
  test::TempDir dir;
  Open();
  doc_.pageSetup.printCurvePages = 1;
  doc_.pageSetup.printWaveTrainPages = 1;
  doc_.pageSetup.printReportPages = 1;
  frame_.Execute(CommandId::AnalysisOutput);
  ASSERT_TRUE(frame_.Action(CommandId::ReportBmp)->isEnabled());
  const int pages = PaginateJob(PdfPrinterMetrics(), ReportSource(doc_), KindsOf(doc_.pageSetup)).Total();
  ASSERT_GE(pages, 3);
  ui_.files = {dir.File("a.bmp"), std::nullopt, dir.File("c.bmp")};
  frame_.Execute(CommandId::ReportBmp);

  ASSERT_EQ(static_cast<int>(ui_.dialogs.size()), pages);
  for (const FileDialogRequest& d : ui_.dialogs) {
    EXPECT_EQ(d.proposedName, doc_.Header().m_holeID);
    EXPECT_EQ(d.defaultExtension, "bmp");
  }
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"导出打印内容到BMP成功！", "导出打印内容到BMP成功！"}));
  EXPECT_TRUE(std::filesystem::exists(dir.File("a.bmp")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("c.bmp")));
  const auto files = std::filesystem::directory_iterator(dir.File(""));
  EXPECT_EQ(std::distance(begin(files), end(files)), 2);  // the cancelled page wrote nothing
}

// The page frame of a bitmap is drawn with the border pen at a third of its
// printed width, in bitmap pixels.
TEST_F(MainFrameTest, BitmapPensAreAThirdOfThePrintedWidth) {
  Open();
  const auto frameLine = [this](int borderWidth) {
    doc_.pageSetup.borderWidth = borderWidth;
    const ReportSource source(doc_);
    const PrinterMetrics m = PdfPrinterMetrics();
    const MonoBitmap b = RenderReportPageBitmap(m, PaginateJob(m, source, KindsOf(doc_.pageSetup)), source, 0);
    const int y = b.Height() / 2;
    int x = 0;
    while (x < b.Width() && b.IsWhite(x, y)) ++x;
    int run = 0;
    while (x + run < b.Width() && !b.IsWhite(x + run, y)) ++run;
    return run;
  };
  EXPECT_EQ(frameLine(10), 3);
  EXPECT_EQ(frameLine(16), 5);
  EXPECT_EQ(frameLine(2), 1);
}

TEST_F(MainFrameTest, ThePointPictureOfTheSelectedPoint) {
  test::TempDir dir;
  ui_.files = {std::nullopt};
  frame_.Execute(CommandId::ExportPointWaves);
  Open();
  doc_.SetCurrentSection(0);
  int point = 0;
  while (!doc_.Section(0).points[point].HasWaveform()) ++point;
  doc_.SetCurrentPoint(point);
  ui_.messages.clear();
  ui_.files = {dir.File("p.bmp")};
  frame_.Execute(CommandId::ExportPointWaves);
  ASSERT_FALSE(ui_.dialogs.empty());
  EXPECT_NE(ui_.dialogs.back().proposedName.find("\u20141-2\u2014"), std::string::npos)
      << ui_.dialogs.back().proposedName;
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"导出测点波形BMP成功！"});
  EXPECT_EQ(std::filesystem::file_size(dir.File("p.bmp")), 52062u);
}

}  // namespace
}  // namespace tarnix
