// 导出到EXCEL and 报告输出到WORD from the report layout: the workbook lands in
// the documents folder named after the hole, a second export beside it, and
// each opens in the desktop's spreadsheet; the report likewise.
#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>

#include "main_frame_fixture.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

// Takes the place of the desktop's file opener.
class Opener : public QObject {
  Q_OBJECT
 public:
  std::vector<std::string> opened;
 public slots:
  void Open(const QUrl& url) { opened.push_back(url.toLocalFile().toStdString()); }
};

// HOME in a fresh folder, for the length of a test.
class FreshHome {
 public:
  FreshHome() : saved_(qgetenv("HOME")), savedConfig_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("HOME", QByteArray::fromStdString(dir_.Path().string()));
    qunsetenv("XDG_CONFIG_HOME");
  }
  ~FreshHome() {
    qputenv("HOME", saved_);
    if (!savedConfig_.isEmpty()) qputenv("XDG_CONFIG_HOME", savedConfig_);
  }
  std::string File(const std::string& name) const { return dir_.File(name); }

 private:
  test::TempDir dir_;
  QByteArray saved_, savedConfig_;
};

class OfficeExportTest : public MainFrameTest {
 protected:
  // The files the desktop was asked to open after the commands, run in the
  // report layout of the sample.
  std::vector<std::string> OpenedAfter(std::initializer_list<CommandId> commands) {
    Opener opener;
    QDesktopServices::setUrlHandler("file", &opener, "Open");
    Open();
    frame_.Execute(CommandId::AnalysisOutput);
    for (CommandId id : commands) {
      EXPECT_TRUE(Enabled(id));
      frame_.Execute(id);
    }
    QDesktopServices::unsetUrlHandler("file");
    return opener.opened;
  }

  const FreshHome home_;
};

TEST_F(OfficeExportTest, TheWorkbookGoesToTheDocumentsFolderAndOpens) {
  const std::vector<std::string> opened = OpenedAfter({CommandId::ExportExcel, CommandId::ExportExcel});
  const std::string hole = doc_.Header().m_holeID;
  EXPECT_EQ(opened, (std::vector<std::string>{home_.File("Documents/" + hole + ".xlsx"),
                                              home_.File("Documents/" + hole + " (2).xlsx")}));
  EXPECT_TRUE(std::filesystem::is_regular_file(home_.File("Documents/" + hole + " (2).xlsx")));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.maxWaitDepth, 1);
}

TEST_F(OfficeExportTest, TheWordReportGoesToTheDocumentsFolderAndOpens) {
  const std::vector<std::string> opened = OpenedAfter({CommandId::ReportWord});
  EXPECT_EQ(opened, std::vector<std::string>{home_.File("Documents/" + doc_.Header().m_holeID + ".docx")});
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.maxWaitDepth, 1);
}

}  // namespace
}  // namespace tarnix

#include "excel_export_test.moc"
