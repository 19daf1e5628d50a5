#include "views/print_view.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "commands/edit_commands.h"
#include "dialogs/left_modify_dlg.h"
#include "dialogs/right_modify_dlg.h"
#include "document/tarnix_doc.h"
#include "formats/file_error.h"
#include "report/office_desktop.h"
#include "report/office_excel.h"
#include "report/report_bitmap.h"
#include "report/report_job.h"
#include "report/word_report.h"

namespace tarnix {
namespace {

// On screen the result texts are as large as on paper at the screen's resolution.
constexpr int kPaperResultFont = 85;
constexpr int kPaperDpi = 600;

// A printer for the report: the default printer when one is installed, else a
// PDF printer, at 600 dpi on A4 so that the page count is that of the PDF.
void SetUpPrinter(QPrinter& printer) {
  if (QPrinterInfo::availablePrinters().isEmpty()) printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setResolution(kPaperDpi);
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

}  // namespace

CPrintView::CPrintView(CTarnixDoc& doc, QWidget* parent) : CTarnixView(doc, parent) {
  setMouseTracking(true);
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setSingleStep(10);
  scroll_->setPageStep(100);
  connect(scroll_, &QScrollBar::valueChanged, this, [this] { Invalidate(); });
}

int CPrintView::BandHeight() const { return height() / 60 + 4 * (height() / 18); }

int CPrintView::DrawingWidth() const { return std::max(width() - scroll_->sizeHint().width(), 1); }

int CPrintView::PixelScale() const {
  return static_cast<int>(ScreenHoleLength(doc_.Header().pileLen, doc_.Layers().m_ruler, logicalDpiY()));
}

TableFrame CPrintView::ScreenFrame(const ReportSource& source) const {
  TableFrame f;
  const int w = DrawingWidth();
  f.columns = LayoutColumns(w / 60, w - w / 30, source.layers);
  f.bandTop = 0;
  f.bandBottom = f.bodyTop = BandHeight();
  f.bodyBottom = height();
  const double length = PixelScale();
  f.pixelsPerMetre = source.HoleDepth() > 0.0f ? length / source.HoleDepth() : 0.0;
  f.windowTop = f.pixelsPerMetre > 0.0 ? scroll_->value() / f.pixelsPerMetre : 0.0;
  f.resultFontHeight = std::max(kPaperResultFont * logicalDpiY() / kPaperDpi * 2, 8);
  f.paper = false;
  f.selectedLayer = doc_.Layers().rightlayer > 0 ? doc_.SelectedLayer() : -1;
  return f;
}

void CPrintView::UpdateScrollRange() {
  const int visible = std::max(height() - BandHeight(), 0);
  scroll_->setRange(0, std::max(PixelScale() + 10 - visible, 0));
  scroll_->setGeometry(width() - scroll_->sizeHint().width(), 0, scroll_->sizeHint().width(), height());
}

void CPrintView::Invalidate() {
  cacheDirty_ = true;
  update();
}

void CPrintView::OnUpdate() {
  UpdateScrollRange();
  Invalidate();
}

void CPrintView::resizeEvent(QResizeEvent* event) {
  CTarnixView::resizeEvent(event);
  UpdateScrollRange();
  Invalidate();
}

void CPrintView::paintEvent(QPaintEvent* event) {
  if (cacheDirty_ || cache_.size() != size()) {
    cache_ = QImage(size(), QImage::Format_RGB32);
    cache_.fill(Qt::white);
    if (doc_.CurrentSection() >= 0) {
      const ReportSource source(doc_);
      const TableFrame frame = ScreenFrame(source);
      QPainter painter(&cache_);
      DrawTableBody(painter, frame, source);
      // The band over the scrolled body, on its own white ground.
      painter.fillRect(QRect(0, 0, width(), frame.bandBottom), Qt::white);
      DrawColumnBand(painter, frame, source);
    }
    cacheDirty_ = false;
  }
  QPainter painter(this);
  for (const QRect& r : event->region()) painter.drawImage(r, cache_, r);
  if (trackY_ < 0) return;
  const ReportSource source(doc_);
  const TableColumns c = ScreenFrame(source).columns;
  painter.setPen(QPen(QColor(255, 105, 180), 1));
  if (trackInResults_) {
    painter.drawLine(c.X(TableColumns::kResultDepth), trackY_, c.resultRight, trackY_);
  } else {
    painter.drawLine(c.left, trackY_, c.X(TableColumns::kResultDepth), trackY_);
  }
}

float CPrintView::DepthAt(int y) const {
  return doc_.Algorithm().PageYToDepth(doc_.Header().pileLen, 0, y, 0, 0, width(), height(), PixelScale(),
                                       scroll_->value());
}

void CPrintView::mouseMoveEvent(QMouseEvent* event) {
  const ReportSource source(doc_);
  const TableColumns c = ScreenFrame(source).columns;
  const QPoint at = event->position().toPoint();
  const int previous = trackY_;
  trackY_ = at.y() > BandHeight() && at.x() < c.resultRight ? at.y() : -1;
  trackInResults_ = at.x() >= c.X(TableColumns::kResultDepth);
  if (previous != trackY_) update();
}

void CPrintView::leaveEvent(QEvent* event) {
  CTarnixView::leaveEvent(event);
  trackY_ = -1;
  update();
}

void CPrintView::mousePressEvent(QMouseEvent* event) {
  CTarnixView::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || doc_.CurrentSection() < 0) return;
  const ReportSource source(doc_);
  const TableColumns c = ScreenFrame(source).columns;
  const QPoint at = event->position().toPoint();
  if (at.y() <= BandHeight() || at.x() < c.X(TableColumns::kResultDepth) || at.x() > c.resultRight) return;
  const float depth = DepthAt(at.y());
  const LayerSet& l = doc_.Layers();
  for (int k = 0; k < std::min<int>(l.rightlayer, static_cast<int>(l.height.size())); ++k) {
    if (l.height[k] >= depth) {
      doc_.SelectLayer(k);
      Invalidate();
      emit LayerPicked(k);
      return;
    }
  }
}

void CPrintView::wheelEvent(QWheelEvent* event) {
  scroll_->triggerAction(event->angleDelta().y() > 0 ? QAbstractSlider::SliderSingleStepSub
                                                     : QAbstractSlider::SliderSingleStepAdd);
  event->accept();
}

void CPrintView::contextMenuEvent(QContextMenuEvent* event) {
  if (doc_.CurrentSection() < 0) return;
  const ReportSource source(doc_);
  const TableColumns c = ScreenFrame(source).columns;
  const LayerColumn column = event->pos().x() >= c.X(TableColumns::kResultDepth) ? LayerColumn::Result : LayerColumn::Log;
  const float depth = DepthAt(event->pos().y());
  QMenu menu(this);
  QAction* add = menu.addAction(QStringLiteral("添加分层"));
  QAction* modify = menu.addAction(QStringLiteral("修改分层"));
  QAction* remove = menu.addAction(QStringLiteral("删除分层"));
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == add) {
    Record(commands_, AddLayerBoundary(doc_, column, depth));
  } else if (chosen == remove) {
    Record(commands_, DeleteLayer(doc_, column, depth));
  } else if (chosen == modify) {
    if (column == LayerColumn::Log) {
      CleftModifyDlg::Run(doc_, commands_, this);
    } else {
      CrightModifyDlg::Run(doc_, commands_, this);
    }
  }
  if (chosen != nullptr) OnUpdate();
}

bool CPrintView::HandlesCommand(CommandId id) const {
  return id == CommandId::Print || id == CommandId::PrintPreview || id == CommandId::PrinterSetup ||
         id == CommandId::ReportPdf || id == CommandId::ReportBmp || id == CommandId::ExportExcel ||
         id == CommandId::ReportWord;
}

bool CPrintView::OnCommand(CommandId id) {
  switch (id) {
    case CommandId::Print:
    case CommandId::PrinterSetup:
      Print();
      return true;
    case CommandId::PrintPreview:
      PrintPreview();
      return true;
    case CommandId::ReportPdf:
      ExportPdf();
      return true;
    case CommandId::ReportBmp:
      ExportBmp();
      return true;
    case CommandId::ExportExcel:
      // The workbook goes into the documents folder and opens in the desktop's spreadsheet.
      ExportExcelFile(doc_, doc_.CurrentSection(), DesktopOfficeOutput(doc_), OpenWhenVisible);
      return true;
    case CommandId::ReportWord:
      // So does the document, in the desktop's word processor.
      ReportToWordFile(doc_, DesktopOfficeOutput(doc_), OpenWhenVisible);
      return true;
    default:
      return false;
  }
}

void CPrintView::PrintInto(QPrinter& printer) { PrintReport(printer, ReportSource(doc_), KindsOf(doc_.pageSetup)); }

PageProgress CPrintView::ShowProgress(QProgressDialog& dialog, const QString& title) {
  // Shown only for a job that takes longer than half a second.
  dialog.setWindowTitle(title);
  dialog.setLabelText(title);
  dialog.setCancelButtonText(QStringLiteral("取消"));
  dialog.setMinimumDuration(500);
  dialog.setWindowModality(Qt::WindowModal);
  return [&dialog](int done, int total) {
    dialog.setMaximum(total);
    dialog.setValue(done);
    return !dialog.wasCanceled();
  };
}

void CPrintView::Print() {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  const ReportSource source(doc_);
  const Pagination pages = PaginateJob(PdfPrinterMetrics(), source, KindsOf(doc_.pageSetup));
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(pages.Total() > 0 ? 1 : 0, pages.Total());
  if (dialog.exec() != QDialog::Accepted) return;
  QProgressDialog progress(this);
  if (PrintReport(printer, source, KindsOf(doc_.pageSetup), ShowProgress(progress, QStringLiteral("正在打印..."))) ==
      kJobCancelled) {
    printer.abort();
  }
}

void CPrintView::PrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QStringLiteral("打印预览"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintInto(*p); });
  preview.exec();
}

bool CPrintView::WritePdf(const QString& path) {
  QString error;
  QProgressDialog progress(this);
  if (WriteReportPdf(path, ReportSource(doc_), KindsOf(doc_.pageSetup), error,
                     ShowProgress(progress, QStringLiteral("正在输出PDF...")))) {
    return true;
  }
  if (!error.isEmpty()) doc_.Ui().Message(error.toStdString(), MessageButtons::Ok);  // empty: cancelled
  return false;
}

void CPrintView::ExportPdf() {
  QString proposed = QString::fromStdString(doc_.PathName());
  proposed = proposed.isEmpty() ? QStringLiteral("report.pdf") : proposed.left(proposed.lastIndexOf('.')) + ".pdf";
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("报告输出到PDF"), proposed, QStringLiteral("PDF 文件 (*.pdf)"));
  if (!path.isEmpty()) WritePdf(path);
}

void CPrintView::ExportBmp() {
  const ReportSource source(doc_);
  const PrinterMetrics m = PdfPrinterMetrics();
  const Pagination pages = PaginateJob(m, source, KindsOf(doc_.pageSetup));
  for (int page = 0; page < pages.Total(); ++page) {
    FileDialogRequest request;
    request.save = true;
    request.filter = "(*.bmp)|*.bmp||";
    request.proposedName = ReportBitmapName(doc_.Header());
    request.defaultExtension = "bmp";
    request.flags = kHideReadOnly | kOverwritePrompt;
    const std::optional<std::string> path = doc_.Ui().ChooseFile(request);
    if (!path || path->empty()) continue;  // skips only this page
    try {
      WriteMonoBitmap(*path, RenderReportPageBitmap(m, pages, source, page));
      doc_.Ui().Message("导出打印内容到BMP成功！", MessageButtons::Ok);
    } catch (const FileError& e) {
      doc_.Ui().Message(e.what(), MessageButtons::Ok);
    }
  }
  update();
}

}  // namespace tarnix
