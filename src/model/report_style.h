#pragma once
// How the report page presents the layers: its scale, whether the result
// columns show rock parameters (style one) or the interpretation text (style
// two), and the calculation method of the rock parameters with its inputs.
#include <array>
#include <cstdint>

#include "model/layer_set.h"

namespace tarnix {

struct ReportStyle {
  int32_t ruler = 100;  // the scale is 1:ruler
  int32_t style1 = 1;
  int32_t style2 = 0;
  int32_t way = 1;  // 1 method one (shear velocity), 0 method two (Poisson ratio)
  std::array<int32_t, 3> tags{1, 1, 1};

  bool operator==(const ReportStyle&) const = default;
};

inline ReportStyle StyleOf(const LayerSet& l) {
  return {l.m_ruler, l.m_style1, l.m_style2, l.m_way, {l.m_tag1, l.m_tag2, l.m_tag3}};
}

inline void ApplyStyle(LayerSet& l, const ReportStyle& s) {
  l.m_ruler = s.ruler;
  l.m_style1 = s.style1;
  l.m_style2 = s.style2;
  l.m_way = s.way;
  l.m_tag1 = s.tags[0];
  l.m_tag2 = s.tags[1];
  l.m_tag3 = s.tags[2];
}

}  // namespace tarnix
