#pragma once
// The panes of the three layouts. Each has its own header.
#include "views/analysis_view.h"
#include "views/chart_view.h"
#include "views/main_view.h"
#include "views/print_view.h"
#include "views/tarnix_view.h"
