#pragma once
// The report page in the report layout: the column band stays at the top and
// the body scrolls over the whole hole, drawn by the same code as the printed
// page. The user picks test-result layers with the mouse and edits layers from
// the context menu; the view prints, previews, writes the PDF and the bitmaps,
// and exports the table to the spreadsheet.
#include <QImage>
#include <QScrollBar>

class QProgressDialog;

#include "report/report_job.h"
#include "report/report_table.h"
#include "views/tarnix_view.h"

class QPrinter;

namespace tarnix {

class CPrintView : public CTarnixView {
  Q_OBJECT
 public:
  explicit CPrintView(CTarnixDoc& doc, QWidget* parent = nullptr);

  bool OnCommand(CommandId id) override;
  bool HandlesCommand(CommandId id) const override;
  void OnUpdate() override;

  // The table's frame at the current size and scroll position.
  TableFrame ScreenFrame(const ReportSource& source) const;
  // The hole's length in screen pixels at the page's scale.
  int PixelScale() const;
  // "报告输出到PDF" into the given file, without asking; false when it failed.
  bool WritePdf(const QString& path);

 signals:
  // A test-result layer was picked: the project form shows it.
  void LayerPicked(int k);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Invalidate();
  void UpdateScrollRange();
  void PrintInto(QPrinter& printer);
  // A job's progress in the dialog, which appears when the job takes time.
  static PageProgress ShowProgress(QProgressDialog& dialog, const QString& title);
  void Print();
  void PrintPreview();
  void ExportPdf();
  // "报告输出到BMP": one save dialog and one file per page.
  void ExportBmp();
  // The depth of a y in the body, as the algorithm maps it.
  float DepthAt(int y) const;
  int BandHeight() const;
  int DrawingWidth() const;

  QScrollBar* scroll_ = nullptr;
  QImage cache_;
  bool cacheDirty_ = true;
  int trackY_ = -1;  // the tracking line, -1 none
  bool trackInResults_ = false;
};

}  // namespace tarnix
