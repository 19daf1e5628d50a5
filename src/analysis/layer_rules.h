#pragma once
// The rules of both layer columns, kept apart from the document so that they
// run without one: where a boundary may go, inserting and removing layers
// with every parallel list kept in step, the closing check of the edit
// dialogs, and the recomputation of every test-result layer.
#include <optional>
#include <string>
#include <vector>

#include "analysis/algorithm.h"
#include "model/layer_set.h"

namespace tarnix {

// The drilling log (left) and the test-result column (right) of the report.
enum class LayerColumn { Log, Result };

inline constexpr const char kLayerDistanceMessage[] = "两层之间的距离不能小于0.5m!";
// The test-result column words its refusal below the last boundary differently.
inline constexpr const char kLayerSpacingMessage[] = "两层之间的间距不能小于0.5m！";
inline constexpr const char kFirstLayerMessage[] = "第一层到最小有效深度的距离不能小于0.5m!";
inline constexpr const char kNothingToDeleteMessage[] = "当前没有可以删除的层!";
inline constexpr float kMinLayerThickness = 0.5f;

// Where a clicked boundary goes: the index to insert at, or the refusal.
struct BoundaryPlace {
  int index = -1;
  const char* refusal = nullptr;
};
BoundaryPlace PlaceBoundary(const std::vector<float>& bounds, float minDepth, float depth, LayerColumn column);

// The layer a click at depth hits: the first whose lower boundary lies below
// it; -1 below the last boundary.
int HitLayer(const std::vector<float>& bounds, float depth);

// The question before deleting layer k (from 0) of a column.
std::string DeleteLayerQuestion(LayerColumn column, int k);

// The closing check of the edit dialogs: one message per pair of boundaries
// that are out of order or closer than 0.5 m; empty when they pass.
std::vector<std::string> CheckBoundaries(const std::vector<float>& bounds);

// A new test-result layer at index with the given bottom: zero values and an
// empty text in every other list, so that all ten stay in step.
void InsertResultLayer(LayerSet& l, int index, float bottom);
void RemoveResultLayer(LayerSet& l, int index);
void InsertLogLayer(LayerSet& l, int index, float bottom);
void RemoveLogLayer(LayerSet& l, int index);

// The edit dialogs' "添加层". Without a selection (selected < 0) a layer is
// appended; with layer k selected one is inserted after it, its bottom left for
// the user to type. deepest is the depth of the first receiver's first point,
// nothing when it has none. Each returns the new layer's index, -1 when none.
int AddResultLayerInDialog(LayerSet& l, int selected, std::optional<float> deepest);
// testBottom: the test's bottom depth; typedBottom: the value in the bottom edit.
int AddLogLayerInDialog(LayerSet& l, int selected, std::optional<float> deepest,
                        float testBottom, float typedBottom);

// Top of layer k of a column: the minimum valid depth for the first layer.
float LayerTop(const std::vector<float>& bounds, int k, float minDepth);

// Average velocities of every test-result layer from the points, then the
// rock-mass parameters by the calculation method.
void RecalcLayers(LayerSet& l, const CAlgorithm& algorithm, const Receivers& r);

// The three values a parameter dialog enters for one layer. Method one (m_way
// 1) enters the shear velocity, method two (m_way 0) the Poisson ratio.
struct LayerParameters {
  int shearVelocity = 0;  // m/s
  float poisson = 0.0f;
  float density = 0.0f;   // kg/m³
  int blockVelocity = 0;  // m/s
};
// The values of layer k as the method's dialog shows them (0 where missing).
LayerParameters ParametersOf(const LayerSet& l, int k);
// Writes the method's values into layer k (appended to an empty list).
void EnterParameters(LayerSet& l, int k, int way, const LayerParameters& p);

}  // namespace tarnix
