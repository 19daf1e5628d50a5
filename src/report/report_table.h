#pragma once
// The table of the report: the column-header band and the body with the
// drilling log, the legends, the ruler, the Vp–H curve and the test-result
// columns, over one depth window. The same drawing serves the printed page (in
// printer pixels) and the report view (in screen pixels).
#include <QPainter>

#include "report/report_layout.h"
#include "report/report_pagination.h"
#include "report/report_source.h"

namespace tarnix {

struct TableFrame {
  TableColumns columns;
  int bandTop = 0;
  int bandBottom = 0;
  int bodyTop = 0;
  int bodyBottom = 0;
  double windowTop = 0.0;  // depth at bodyTop, m
  double pixelsPerMetre = 0.0;
  int gridWidth = 1;
  int borderWidth = 1;
  int resultFontHeight = 85;
  bool paper = true;  // the paper's header texts ("kg/m^3", Kv in four rows)
  int selectedLayer = -1;  // the test-result layer filled as selected

  int DepthY(double depth) const;
  double WindowBottom() const;
};

// The frame of report page r in printer pixels.
TableFrame PaperTableFrame(const Pagination& pages, const ReportSource& source, int reportPage);

void DrawColumnBand(QPainter& p, const TableFrame& f, const ReportSource& source);
void DrawTableBody(QPainter& p, const TableFrame& f, const ReportSource& source);

}  // namespace tarnix
