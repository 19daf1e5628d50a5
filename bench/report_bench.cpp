// The report of a 30 m hole with layers and legends: one page drawn at 600 dpi
// into an image (the report page and the curve page), and the whole PDF as
// "报告输出到PDF" writes it (the default job, and every kind of page).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>

#include "large_test.h"
#include "document/recent_file_list.h"
#include "report/report_job.h"
#include "report/report_pages.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

constexpr int kHolePoints = 151;  // 30 m at 0.2 m
constexpr double kDotsPerMetre = 600 / 0.0254;

struct ReportedHole {
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc{ui, recent};

  ReportedHole() {
    doc.OnOpenDocument(bench::SyntheticTestPath("hole30m.CHT", kHolePoints));
    // A layer every 5 m in both columns, with rock parameters and lithologies.
    const float top = doc.MinValidDepth();
    for (int k = 1; k < 6; ++k) doc.AddBoundary(LayerColumn::Result, top + 5.0f * k);
    doc.EnterLayerParameters(1, {2000, 0.25f, 2650, 5000}, {1, 1, 1});
    const char* rocks[] = {"砂岩", "泥岩", "花岗岩"};
    for (int k = 0; k < 5; ++k) {
      doc.AddBoundary(LayerColumn::Log, top + 2.5f + 5.0f * k);
      doc.SetLayerLithology(k, rocks[k % 3]);
      doc.SetLayerDescription(k, std::string(rocks[k % 3]) + "，灰色，中风化，节理较发育");
    }
    doc.RecalcLayers();
  }
};

ReportedHole& Hole() {
  static ReportedHole hole;
  return hole;
}

// Page 0 of a job of one kind: 0 the report page ("结果表"), 1 the curve page.
void BM_PageImage600Dpi(benchmark::State& state) {
  const ReportSource source(Hole().doc);
  const PrinterMetrics pdf = PdfPrinterMetrics();
  QImage image(pdf.horzRes, pdf.vertRes, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(kDotsPerMetre));
  image.setDotsPerMeterY(static_cast<int>(kDotsPerMetre));
  const PrinterMetrics m = DeviceMetrics(image);
  PageKinds kinds;
  kinds.curve = state.range(0) == 1;
  kinds.report = state.range(0) == 0;
  const Pagination pages = PaginateJob(m, source, kinds);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawPage(painter, pages, m, source, 0);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetLabel(state.range(0) == 0 ? "report page" : "curve page");
  state.counters["pages"] = pages.Total();
}
BENCHMARK(BM_PageImage600Dpi)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 0: the job the default page settings choose; 1: curve, wave-train and report pages.
void BM_WholePdf(benchmark::State& state) {
  const ReportSource source(Hole().doc);
  const PageKinds kinds = state.range(0) == 0 ? KindsOf(PageSetup()) : PageKinds{true, true, true};
  const QString path = QString::fromStdString(
      (std::filesystem::temp_directory_path() / "tarnix-bench" / "hole30m.pdf").string());
  QString error;
  for (auto _ : state) {
    if (!WriteReportPdf(path, source, kinds, error)) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
  }
  state.counters["pages"] = PaginateJob(PdfPrinterMetrics(), source, kinds).Total();
  if (std::filesystem::exists(path.toStdString())) {
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path.toStdString()));
  }
  state.SetLabel(state.range(0) == 0 ? "default job" : "every kind of page");
}
BENCHMARK(BM_WholePdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnix
