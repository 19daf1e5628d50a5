#pragma once
// The panes of the three layouts. Their drawing comes with the views of each
// layout; until then each shows its white drawing surface.
#include "views/tarnix_view.h"

namespace tarnix {

// Wave pane of channel 1 (the current section).
class CMainView : public CTarnixView {
  Q_OBJECT
 public:
  using CTarnixView::CTarnixView;
  // The section this pane shows, counted from the current section.
  virtual int ChannelOffset() const { return 0; }
};

// Wave pane of channel 2: the section after the current one.
class CSecView : public CMainView {
  Q_OBJECT
 public:
  using CMainView::CMainView;
  int ChannelOffset() const override { return 1; }
};

// Velocity-depth curves beside the wave train or the data table.
class CAnalysisView : public CTarnixView {
  Q_OBJECT
 public:
  using CTarnixView::CTarnixView;
};

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
