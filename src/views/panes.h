#pragma once
// The panes of the three layouts. The wave panes live in main_view.h; the
// others show their white drawing surface until their drawing comes.
#include "views/analysis_view.h"
#include "views/main_view.h"
#include "views/tarnix_view.h"

namespace tarnix {

// Data table of every point.
class CChartView : public CTarnixView {
  Q_OBJECT
 public:
  using CTarnixView::CTarnixView;
};

// The report page.
class CPrintView : public CTarnixView {
  Q_OBJECT
 public:
  using CTarnixView::CTarnixView;
};

}  // namespace tarnix
