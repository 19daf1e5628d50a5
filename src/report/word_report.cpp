#include "report/word_report.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "base/c_text.h"
#include "formats/file_error.h"
#include "report/report_bitmap.h"
#include "report/office_run.h"
#include "report/report_job.h"
#include "report/word_office.h"

namespace tarnix {

bool ReportToWord(CTarnixDoc& doc, automation::ServerFactory& servers, const std::string& pictureFolder) {
  if (doc.CurrentSection() < 0) return false;
  const ReportSource source(doc);
  const Pagination pages = PaginateJob(PdfPrinterMetrics(), source, KindsOf(doc.pageSetup));
  UiServices& ui = doc.Ui();
  const WaitCursor wait(ui);
  CWordOffice word(servers, ui);
  if (!word.Start()) return false;
  // A folder of this run: two exports at once never write each other's pictures.
  const QString base = QString::fromStdString(pictureFolder);
  QDir().mkpath(base);
  const QTemporaryDir folder(base + QStringLiteral("/word-XXXXXX"));
  bool allPictures = true;
  for (int page = 0; page < pages.Total(); ++page) {
    const std::string path = folder.filePath(QString::fromStdString(CFormat("Config%d.bmp", page % 3))).toStdString();
    bool written = folder.isValid();
    if (written) {
      try {
        WriteMonoBitmap(path, RenderWordPageBitmap(pages, source, page));
      } catch (const FileError&) {
        written = false;
      }
    }
    // A picture not written now is left out: an older file of that name is
    // another page.
    if (!written && allPictures) ui.Message("error!", MessageButtons::Ok);
    allPictures = allPictures && written;
    word.AddPage(doc.Header(), doc.pageSetup.headerBlockFormat, written ? path : std::string(),
                 page + 1 == pages.Total());
  }
  return allPictures;
}

bool ReportToWordFile(CTarnixDoc& doc, const automation::OfficeOutput& output, const automation::FinishedFn& written) {
  return RunOfficeExport(output, doc.Ui(), written, false, [&](automation::ServerFactory& servers) {
    return ReportToWord(doc, servers, WordPictureFolder());
  });
}

std::string WordPictureFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString();
}

}  // namespace tarnix
