#pragma once
// The panes of the three layouts. Each has its own header; the report page
// shows its white drawing surface until its drawing comes.
#include "views/analysis_view.h"
#include "views/chart_view.h"
#include "views/main_view.h"
#include "views/tarnix_view.h"

namespace tarnix {

// The report page.
class CPrintView : public CTarnixView {
  Q_OBJECT
 public:
  using CTarnixView::CTarnixView;
};

}  // namespace tarnix
