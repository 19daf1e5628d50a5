#include "analysis/layer_rules.h"

#include <algorithm>

namespace tarnix {
namespace {

// Sets entry k, padding a short list with zeros so that it stays in step.
template <typename T>
void Put(std::vector<T>& list, size_t k, T value) {
  if (list.size() <= k) list.resize(k + 1);
  list[k] = std::move(value);
}

// Inserts at index, or at the end of a list that is already shorter.
template <typename T>
void InsertAt(std::vector<T>& list, int index, T value) {
  const auto at = std::min(static_cast<size_t>(std::max(index, 0)), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
}

template <typename T>
void EraseAt(std::vector<T>& list, int index) {
  if (index >= 0 && static_cast<size_t>(index) < list.size()) list.erase(list.begin() + index);
}

// A missing entry keeps the value of the layer before.
template <typename T>
void Carry(const std::vector<T>& list, size_t k, T& value) {
  if (k < list.size()) value = list[k];
}

}  // namespace

BoundaryPlace PlaceBoundary(const std::vector<float>& bounds, float minDepth, float depth, LayerColumn column) {
  const bool result = column == LayerColumn::Result;
  const BoundaryPlace tooClose{-1, kLayerDistanceMessage};
  if (bounds.empty()) return depth - minDepth < kMinLayerThickness ? tooClose : BoundaryPlace{0, nullptr};
  if (std::find(bounds.begin(), bounds.end(), depth) != bounds.end()) return tooClose;
  if (depth > bounds.back()) {
    if (depth - bounds.back() >= kMinLayerThickness) return {static_cast<int>(bounds.size()), nullptr};
    return {-1, result ? kLayerSpacingMessage : kLayerDistanceMessage};
  }
  if (depth < bounds.front()) {
    if (bounds.front() - depth < kMinLayerThickness) return tooClose;
    if (depth - minDepth < kMinLayerThickness) return {-1, result ? kFirstLayerMessage : kLayerDistanceMessage};
    return {0, nullptr};
  }
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    if (bounds[i] < depth && depth < bounds[i + 1]) {
      if (depth - bounds[i] < kMinLayerThickness || bounds[i + 1] - depth < kMinLayerThickness) return tooClose;
      return {static_cast<int>(i) + 1, nullptr};
    }
  }
  return tooClose;  // boundaries out of order: no place is safe
}

int HitLayer(const std::vector<float>& bounds, float depth) {
  for (size_t i = 0; i < bounds.size(); ++i) {
    if (bounds[i] > depth) return static_cast<int>(i);
  }
  return -1;
}

std::string DeleteLayerQuestion(LayerColumn column, int k) {
  const char* what = column == LayerColumn::Result ? "声波测试结果" : "钻探资料";
  return std::string("确认要删除") + what + "的第" + std::to_string(k + 1) + "层吗？";
}

std::vector<std::string> CheckBoundaries(const std::vector<float>& bounds) {
  std::vector<std::string> messages;
  for (size_t i = 1; i < bounds.size(); ++i) {
    const float d = bounds[i] - bounds[i - 1];
    const std::string lower = std::to_string(i + 1);
    const std::string upper = std::to_string(i);
    if (d <= 0) {
      messages.push_back("第" + lower + "层的深度的结束位置不能比第" + upper + "层的深度的结束值小！");
    } else if (d < kMinLayerThickness) {
      messages.push_back("第" + lower + "层和第" + upper + "层之间的距离不能小于0.5！");
    }
  }
  return messages;
}

void InsertResultLayer(LayerSet& l, int index, float bottom) {
  InsertAt(l.height, index, bottom);
  InsertAt(l.vp, index, 0);
  InsertAt(l.capacity, index, 0.0f);
  InsertAt(l.u, index, 0.0f);
  InsertAt(l.movefilm, index, 0.0f);
  InsertAt(l.index, index, 0.0f);
  InsertAt(l.explain, index, std::string());
  InsertAt(l.twave, index, 0);
  InsertAt(l.density, index, 0.0f);
  InsertAt(l.vwave, index, 0);
  l.rightlayer = static_cast<int32_t>(l.height.size());
}

void RemoveResultLayer(LayerSet& l, int index) {
  if (index < 0 || static_cast<size_t>(index) >= l.height.size()) return;
  EraseAt(l.height, index);
  EraseAt(l.vp, index);
  EraseAt(l.capacity, index);
  EraseAt(l.u, index);
  EraseAt(l.movefilm, index);
  EraseAt(l.index, index);
  EraseAt(l.explain, index);
  EraseAt(l.twave, index);
  EraseAt(l.density, index);
  EraseAt(l.vwave, index);
  l.rightlayer = static_cast<int32_t>(l.height.size());
}

void InsertLogLayer(LayerSet& l, int index, float bottom) {
  InsertAt(l.depth, index, bottom);
  InsertAt(l.describe, index, std::string());
  InsertAt(l.picName, index, std::string());
  l.leftlayer = static_cast<int32_t>(l.depth.size());
}

void RemoveLogLayer(LayerSet& l, int index) {
  if (index < 0 || static_cast<size_t>(index) >= l.depth.size()) return;
  EraseAt(l.depth, index);
  EraseAt(l.describe, index);
  EraseAt(l.picName, index);
  l.leftlayer = static_cast<int32_t>(l.depth.size());
}

int AddResultLayerInDialog(LayerSet& l, int selected, std::optional<float> deepest) {
  const int n = static_cast<int>(l.height.size());
  if (selected >= 0 && selected < n) {
    InsertResultLayer(l, selected + 1, 0.0f);
    return selected + 1;
  }
  if (!deepest) return -1;  // no measured point to end the layer at
  InsertResultLayer(l, n, *deepest);
  return n;
}

int AddLogLayerInDialog(LayerSet& l, int selected, std::optional<float> deepest,
                        float testBottom, float typedBottom) {
  const int n = static_cast<int>(l.depth.size());
  if (selected >= 0 && selected < n) {
    const auto k = static_cast<size_t>(selected);
    float bottom = 0.0f;
    // The selected layer reached the deepest point: the new one takes it over.
    if (deepest && l.depth[k] == *deepest) {
      bottom = l.depth[k];
      l.depth[k] = 0.0f;
    }
    InsertLogLayer(l, selected + 1, bottom);
    return selected + 1;
  }
  if (n == 0) {
    InsertLogLayer(l, 0, testBottom);
    return 0;
  }
  float bottom = typedBottom;
  if (l.depth.back() == testBottom) {
    l.depth.back() = 0.0f;
    bottom = testBottom;
  }
  InsertLogLayer(l, n, bottom);
  return n;
}

float LayerTop(const std::vector<float>& bounds, int k, float minDepth) {
  if (k <= 0 || static_cast<size_t>(k) > bounds.size()) return minDepth;
  return bounds[static_cast<size_t>(k) - 1];
}

void RecalcLayers(LayerSet& l, const CAlgorithm& algorithm, const Receivers& r) {
  const float minDepth = algorithm.GetMinValidDepth(r);
  const size_t n = std::min(static_cast<size_t>(std::max(l.rightlayer, 0)), l.height.size());
  for (size_t k = 0; k < n; ++k) {
    Put(l.vp, k, algorithm.CalcAverageVp(r, LayerTop(l.height, static_cast<int>(k), minDepth), l.height[k]));
  }
  const bool methodOne = l.m_way == 1;
  float mu = 0.0f;
  float rho = 0.0f;
  int vb = 0;
  int vs = 0;
  for (size_t k = 0; k < n; ++k) {
    const int v = l.vp[k];
    Carry(l.density, k, rho);
    Carry(l.vwave, k, vb);
    Carry(l.u, k, mu);
    Carry(l.twave, k, vs);
    Put(l.capacity, k, rho);
    if (l.m_style1 == 1) {
      // Method one derives μ from the shear velocity; the modulus does the same.
      Put(l.u, k, methodOne ? algorithm.CalcPoissonRatio(vs, v) : mu);
      Put(l.movefilm, k, algorithm.CalcDynamicModulus(methodOne ? 1 : l.m_way, mu, rho, v, vs));
    } else {
      // Not computed yet: stored values stay, missing ones keep the lists in step.
      if (l.u.size() <= k) Put(l.u, k, 0.0f);
      if (l.movefilm.size() <= k) Put(l.movefilm, k, 0.0f);
    }
    Put(l.index, k, algorithm.CalcIntegrityIndex(vb, v));
  }
}

LayerParameters ParametersOf(const LayerSet& l, int k) {
  LayerParameters p;
  if (k < 0) return p;
  const auto i = static_cast<size_t>(k);
  if (i < l.twave.size()) p.shearVelocity = l.twave[i];
  if (i < l.u.size()) p.poisson = l.u[i];
  if (i < l.density.size()) p.density = l.density[i];
  if (i < l.vwave.size()) p.blockVelocity = l.vwave[i];
  return p;
}

namespace {
// A value goes into entry k when the list has one, is appended to an empty list,
// and is dropped otherwise rather than written out of step.
template <typename T>
void Enter(std::vector<T>& list, int k, T value) {
  if (list.empty()) {
    list.push_back(value);
  } else if (k >= 0 && static_cast<size_t>(k) < list.size()) {
    list[static_cast<size_t>(k)] = value;
  }
}
}  // namespace

void EnterParameters(LayerSet& l, int k, int way, const LayerParameters& p) {
  if (way == 1) {
    Enter(l.twave, k, p.shearVelocity);
  } else {
    Enter(l.u, k, p.poisson);
  }
  Enter(l.density, k, p.density);
  Enter(l.vwave, k, p.blockVelocity);
}

}  // namespace tarnix
