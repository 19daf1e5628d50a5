// The document's layer operations: the report's context menu, the edit dialogs
// and the parameter dialogs. Rules live in analysis/layer_rules; each edit here
// applies one and ends in Changed().
#include <algorithm>

#include "document/tarnix_doc.h"

namespace tarnix {
namespace {

std::vector<float>& Bounds(LayerSet& l, LayerColumn column) {
  return column == LayerColumn::Result ? l.height : l.depth;
}

// Entry k of one of the layers' text lists; false when there is no layer k.
bool SetEntry(std::vector<std::string>& list, int k, const std::string& text) {
  if (k < 0 || static_cast<size_t>(k) >= list.size()) return false;
  list[static_cast<size_t>(k)] = text;
  return true;
}

}  // namespace

int CTarnixDoc::SelectedLayer() const {
  const int n = static_cast<int>(layers_.height.size());
  return selectedLayer_ >= 0 && selectedLayer_ < n ? selectedLayer_ : 0;
}

std::optional<float> CTarnixDoc::DeepestPointDepth() const {
  const SectionRecord* first = ChannelSection(0);
  if (first == nullptr || first->points.empty()) return std::nullopt;
  return first->points.front().sourL;
}

void CTarnixDoc::SelectLayer(int k) {
  selectedLayer_ = k;
  ui_.UpdateAllViews(kChangeLayers | kChangeCurrent);
}

void CTarnixDoc::SetLayers(const LayerSet& layers) {
  layers_ = layers;
  Changed(-1, Rebuild::Nothing, kChangeLayers);
}

void CTarnixDoc::RecalcLayers() {
  tarnix::RecalcLayers(layers_, *algorithm_, CurrentReceivers());
  Changed(-1, Rebuild::Nothing, kChangeLayers);
}

bool CTarnixDoc::AddBoundary(LayerColumn column, float depth) {
  const BoundaryPlace place = PlaceBoundary(Bounds(layers_, column), MinValidDepth(), depth, column);
  if (place.refusal != nullptr) {
    ui_.Message(place.refusal, MessageButtons::Ok);
    return false;
  }
  if (column == LayerColumn::Result) {
    InsertResultLayer(layers_, place.index, depth);
    RecalcLayers();
  } else {
    InsertLogLayer(layers_, place.index, depth);
    Changed(-1, Rebuild::Nothing, kChangeLayers);
  }
  return true;
}

bool CTarnixDoc::DeleteLayerAt(LayerColumn column, float depth) {
  const std::vector<float>& bounds = Bounds(layers_, column);
  if (bounds.empty()) {
    ui_.Message(kNothingToDeleteMessage, MessageButtons::Ok);
    return false;
  }
  const int k = HitLayer(bounds, depth);
  if (k < 0) return false;
  if (ui_.Message(DeleteLayerQuestion(column, k), MessageButtons::OkCancel) != MessageAnswer::Ok) return false;
  RemoveLayer(column, k);
  return true;
}

int CTarnixDoc::AddLayerInDialog(LayerColumn column, int selected, float typedBottom) {
  const int k = column == LayerColumn::Result
                    ? AddResultLayerInDialog(layers_, selected, DeepestPointDepth())
                    : AddLogLayerInDialog(layers_, selected, DeepestPointDepth(), header_.pileLen, typedBottom);
  if (k < 0) return k;
  if (column == LayerColumn::Result) {
    RecalcLayers();
  } else {
    Changed(-1, Rebuild::Nothing, kChangeLayers);
  }
  return k;
}

void CTarnixDoc::RemoveLayer(LayerColumn column, int k) {
  if (column == LayerColumn::Result) {
    RemoveResultLayer(layers_, k);
    selectedLayer_ = 0;
    RecalcLayers();
  } else {
    RemoveLogLayer(layers_, k);
    Changed(-1, Rebuild::Nothing, kChangeLayers);
  }
}

void CTarnixDoc::SetLayerBottom(LayerColumn column, int k, float bottom) {
  std::vector<float>& bounds = Bounds(layers_, column);
  if (k < 0 || static_cast<size_t>(k) >= bounds.size()) return;
  bounds[static_cast<size_t>(k)] = bottom;
  Changed(-1, Rebuild::Nothing, kChangeLayers);
}

void CTarnixDoc::SetLayerDescription(int k, const std::string& text) {
  if (SetEntry(layers_.describe, k, text)) Changed(-1, Rebuild::Nothing, kChangeLayers);
}

void CTarnixDoc::SetLayerLithology(int k, const std::string& name) {
  if (SetEntry(layers_.picName, k, name)) Changed(-1, Rebuild::Nothing, kChangeLayers);
}

void CTarnixDoc::SetLayerExplanation(int k, const std::string& text) {
  if (SetEntry(layers_.explain, k, text)) Changed(-1, Rebuild::Nothing, kChangeLayers);
}

void CTarnixDoc::SetReportStyle(const ReportStyle& style) {
  const ReportStyle before = StyleOf(layers_);
  ApplyStyle(layers_, style);
  if (before.way != style.way || before.tags != style.tags) {
    RecalcLayers();
  } else {
    Changed(-1, Rebuild::Nothing, kChangeLayers);
  }
}

void CTarnixDoc::SetParameterTag(int way, int tag, bool on) {
  int32_t* tags[] = {&layers_.m_tag1, &layers_.m_tag2, &layers_.m_tag3};
  if (tag < 1 || tag > 3) return;
  *tags[tag - 1] = on ? 1 : 0;
  layers_.m_way = way == 1 ? 1 : 0;
  RecalcLayers();
}

void CTarnixDoc::EnterLayerParameters(int way, const LayerParameters& values, const std::array<int32_t, 3>& tags) {
  layers_.m_style1 = 1;
  layers_.m_style2 = 0;
  layers_.m_way = way == 1 ? 1 : 0;
  std::tie(layers_.m_tag1, layers_.m_tag2, layers_.m_tag3) = std::tuple(tags[0], tags[1], tags[2]);
  EnterParameters(layers_, SelectedLayer(), layers_.m_way, values);
  RecalcLayers();
}

}  // namespace tarnix
