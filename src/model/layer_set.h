#pragma once
// Layers of the hole (drilling log and test results) and the analysis settings.
#include <cstdint>
#include <string>
#include <vector>

namespace tarnix {

struct LayerSet {
  int32_t m_ruler = 100;
  int32_t m_style1 = 1;
  int32_t m_style2 = 0;
  int32_t m_way = 1;
  int32_t m_tag1 = 1;
  int32_t m_tag2 = 1;
  int32_t m_tag3 = 1;

  // Drilling-log layers.
  int32_t leftlayer = 0;
  std::vector<float> depth;
  std::vector<std::string> describe;
  std::vector<std::string> picName;

  // Test-result layers.
  int32_t rightlayer = 0;
  std::vector<float> height;
  std::vector<int32_t> vp;
  std::vector<float> capacity;
  std::vector<float> u;
  std::vector<float> movefilm;
  std::vector<float> index;
  std::vector<std::string> explain;
  std::vector<int32_t> twave;
  std::vector<float> density;
  std::vector<int32_t> vwave;

  bool operator==(const LayerSet&) const = default;
  void Reset() { *this = LayerSet(); }
  // Removes every layer; the analysis settings stay.
  void ClearLayers() {
    LayerSet empty;
    depth.swap(empty.depth);
    describe.swap(empty.describe);
    picName.swap(empty.picName);
    height.swap(empty.height);
    vp.swap(empty.vp);
    capacity.swap(empty.capacity);
    u.swap(empty.u);
    movefilm.swap(empty.movefilm);
    index.swap(empty.index);
    explain.swap(empty.explain);
    twave.swap(empty.twave);
    density.swap(empty.density);
    vwave.swap(empty.vwave);
    leftlayer = rightlayer = 0;
  }
};

}  // namespace tarnix
