#pragma once
// Which layout the application shows; the document saves differently outside
// the main layout.
#include <cstdint>

namespace tarnix {

struct AppModes {
  int32_t layoutMode = 0;  // 0 main layout, 1 data table (also set when the report is entered)
  int32_t reportMode = 0;  // 1 while the report layout is shown
  int32_t layoutToggles = 0;

  bool InMainLayout() const { return layoutMode == 0 && reportMode == 0; }
};

}  // namespace tarnix
