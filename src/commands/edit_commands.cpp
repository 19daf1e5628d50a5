#include "commands/edit_commands.h"

#include <functional>
#include <utility>

#include "document/auto_pick.h"

namespace tarnix {
namespace {

// An edit remembered as the state it replaced and the state it left.
template <typename State>
class StateCommand : public Command {
 public:
  using Restore = std::function<void(const State&)>;
  StateCommand(std::string name, State before, State after, Restore restore)
      : Command(std::move(name)), before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)) {}
  void Undo() override { restore_(before_); }
  void Redo() override { restore_(after_); }

 private:
  State before_;
  State after_;
  Restore restore_;
};

// Captures a state, runs the edit, and makes the command when the edit says it
// changed something.
template <typename Capture, typename Restore, typename Edit>
std::unique_ptr<Command> Remember(std::string name, Capture capture, Restore restore, Edit edit) {
  auto before = capture();
  if (!edit()) return nullptr;
  using State = decltype(before);
  return std::make_unique<StateCommand<State>>(std::move(name), std::move(before), capture(), restore);
}

using SectionStates = std::vector<std::pair<int, CTarnixDoc::SectionState>>;

// The channels of the current pair that hold a test.
SectionStates CaptureChannels(const CTarnixDoc& doc) {
  SectionStates states;
  for (int channel = 0; channel < 2; ++channel) {
    const SectionRecord* s = doc.ChannelSection(channel);
    if (s == nullptr) continue;
    const int index = doc.CurrentSection() + channel;
    states.emplace_back(index, doc.CaptureSection(index));
  }
  return states;
}

std::function<void(const SectionStates&)> RestoreChannels(CTarnixDoc& doc) {
  return [&doc](const SectionStates& states) {
    for (const auto& [index, state] : states) doc.RestoreSection(index, state);
  };
}

std::unique_ptr<Command> PointEdit(std::string name, CTarnixDoc& doc, int section, int point,
                                   std::function<bool()> edit) {
  if (section < 0 || section >= kSectionCount || doc.Section(section).PointAt(point) == nullptr) return nullptr;
  return Remember(
      std::move(name), [&doc, section, point] { return doc.CapturePoint(section, point); },
      [&doc, section, point](const CTarnixDoc::PointState& s) { doc.RestorePoint(section, point, s); }, edit);
}

std::unique_ptr<Command> LayersEdit(std::string name, CTarnixDoc& doc, std::function<bool()> edit) {
  return Remember(
      std::move(name), [&doc] { return doc.Layers(); }, [&doc](const LayerSet& l) { doc.SetLayers(l); }, edit);
}

}  // namespace

std::unique_ptr<Command> ManualPick(CTarnixDoc& doc, int section, int point, int shownIndex) {
  return PointEdit("手动判读", doc, section, point, [&] {
    doc.SetPick(section, point, shownIndex);
    return true;
  });
}

std::unique_ptr<Command> ChooseFrequencyBin(CTarnixDoc& doc, int section, int point, int bin) {
  return PointEdit("手动判读", doc, section, point, [&] {
    doc.SetFrequencyBin(section, point, bin);
    return true;
  });
}

std::unique_ptr<Command> PasteWaveform(CTarnixDoc& doc, int section, int point) {
  return PointEdit("粘贴波形", doc, section, point, [&] { return doc.PastePoint(section, point); });
}

std::unique_ptr<Command> AutoPickChannels(CTarnixDoc& doc) {
  return Remember(
      "自动判读", [&doc] { return CaptureChannels(doc); }, RestoreChannels(doc), [&doc] {
        AutoPick(doc);
        return doc.CurrentSection() >= 0 && doc.display.showWaveforms != 0 && doc.modes.layoutMode != 1;
      });
}

std::unique_ptr<Command> ChangeRange(CTarnixDoc& doc, int first, int last) {
  return Remember(
      "修改截取范围", [&doc] { return doc.CaptureRanges(); },
      [&doc](const CTarnixDoc::RangeState& s) { doc.RestoreRanges(s); },
      [&doc, first, last] { return doc.SetEvaluatedRange(first, last); });
}

std::unique_ptr<Command> ChangeDistance(CTarnixDoc& doc, int section, float crossD) {
  if (section < 0 || section >= kSectionCount || !doc.Section(section).valid) return nullptr;
  return Remember(
      "修改跨距", [&doc, section] { return doc.CaptureSection(section); },
      [&doc, section](const CTarnixDoc::SectionState& s) { doc.RestoreSection(section, s); },
      [&doc, section, crossD] {
        doc.SetSectionDistance(section, crossD);
        return true;
      });
}

std::unique_ptr<Command> ChooseStandardCommand(CTarnixDoc& doc) {
  return Remember(
      "选择标准", [&doc] { return doc.CaptureCriteria(); },
      [&doc](const CTarnixDoc::CriteriaState& s) { doc.RestoreCriteria(s); },
      [&doc] {
        doc.ChooseStandard();
        return true;
      });
}

std::unique_ptr<Command> ChangeVelocityCriterion(CTarnixDoc& doc, int section, float criticalV) {
  if (section < 0 || section >= kSectionCount || !doc.Section(section).valid) return nullptr;
  return Remember(
      "曲线调整", [&doc] { return doc.CaptureCriteria(); },
      [&doc](const CTarnixDoc::CriteriaState& s) { doc.RestoreCriteria(s); },
      [&doc, section, criticalV] {
        if (doc.Section(section).criticalV == criticalV) return false;
        doc.SetVelocityCriterion(section, criticalV);
        return true;
      });
}

std::unique_ptr<Command> AddLayerBoundary(CTarnixDoc& doc, LayerColumn column, float depth) {
  return LayersEdit("添加分层", doc, [&] { return doc.AddBoundary(column, depth); });
}

std::unique_ptr<Command> DeleteLayer(CTarnixDoc& doc, LayerColumn column, float depth) {
  return LayersEdit("删除分层", doc, [&] { return doc.DeleteLayerAt(column, depth); });
}

std::unique_ptr<Command> HeaderTextsEdited(CTarnixDoc& doc, const HeaderTexts& before) {
  const HeaderTexts after = TextsOf(doc.Header());
  if (after == before) return nullptr;
  return std::make_unique<StateCommand<HeaderTexts>>("工程信息", before, after,
                                                     [&doc](const HeaderTexts& t) { doc.SetHeaderTexts(t); });
}

std::unique_ptr<Command> ChangeReportStyle(CTarnixDoc& doc, const ReportStyle& style) {
  return LayersEdit("报告样式", doc, [&] {
    if (StyleOf(doc.Layers()) == style) return false;
    doc.SetReportStyle(style);
    return true;
  });
}

std::unique_ptr<Command> ChangeLayerTag(CTarnixDoc& doc, int way, int tag, bool on) {
  return LayersEdit("计算参数", doc, [&] {
    doc.SetParameterTag(way, tag, on);
    return true;
  });
}

std::unique_ptr<Command> EnterParametersCommand(CTarnixDoc& doc, int way, const LayerParameters& values,
                                                const std::array<int32_t, 3>& tags) {
  return LayersEdit("计算参数", doc, [&] {
    doc.EnterLayerParameters(way, values, tags);
    return true;
  });
}

LayerEdit::LayerEdit(CTarnixDoc& doc, std::string name) : doc_(doc), name_(std::move(name)), before_(doc.Layers()) {}

void LayerEdit::Cancel() {
  doc_.SetLayers(before_);
  finished_ = true;
}

std::unique_ptr<Command> LayerEdit::Finish() {
  if (finished_) return nullptr;
  finished_ = true;
  if (before_ == doc_.Layers()) return nullptr;
  return std::make_unique<StateCommand<LayerSet>>(name_, before_, doc_.Layers(),
                                                  [this_doc = &doc_](const LayerSet& l) { this_doc->SetLayers(l); });
}

ChannelEdit::ChannelEdit(CTarnixDoc& doc, std::string name)
    : doc_(doc), name_(std::move(name)), before_(CaptureChannels(doc)) {}

void ChannelEdit::Cancel() {
  RestoreChannels(doc_)(before_);
  finished_ = true;
}

std::unique_ptr<Command> ChannelEdit::Finish() {
  if (finished_) return nullptr;
  finished_ = true;
  bool changed = false;
  for (const auto& [index, state] : before_) {
    changed = changed || state.filter != doc_.Filter(index) || state.correction != doc_.TimeCorrection(index);
  }
  if (!changed) return nullptr;
  return std::make_unique<StateCommand<SectionStates>>(name_, before_, CaptureChannels(doc_), RestoreChannels(doc_));
}

}  // namespace tarnix
