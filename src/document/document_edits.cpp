// The document's named operations: every edit of the test, and the states that
// undo puts back. Each ends in Changed(), the one place that rebuilds what is
// derived and tells the views.
#include <algorithm>

#include "analysis/main_frequency.h"
#include "analysis/point_evaluation.h"
#include "document/section_completion.h"
#include "document/tarnix_doc.h"
#include "model/sample_conversion.h"
#include "processing/time_shift.h"

namespace tarnix {

void CTarnixDoc::Changed(int section, Rebuild rebuild, unsigned hint) {
  if (ValidSection(section)) {
    if (rebuild != Rebuild::Nothing) RebuildDerivedArrays(sections_[section]);
    if (rebuild == Rebuild::ArraysAndCriteria) EvaluateCriteria(section);
  }
  if (hint != kChangeCurrent) modified_ = true;
  ui_.UpdateAllViews(hint);
}

void CTarnixDoc::ReplaceAlgorithm() { algorithm_ = std::make_unique<CAlgorithm_SL_264_2001>(); }

void CTarnixDoc::ApplyStandard() {
  ReplaceAlgorithm();
  for (int i = 0; i < kSectionCount; ++i) EvaluateCriteria(i);
}

void CTarnixDoc::EvaluateCriteria(int index) {
  if (!ValidSection(index)) return;
  SectionRecord& s = sections_[index];
  s.criticalA = algorithm_->CalcAmpCritical(s.ampDb.data(), static_cast<int>(s.ampDb.size()), s, 0);
  s.criticalV =
      algorithm_->CalcVelocityCritical(s.velocity.data(), static_cast<int>(s.velocity.size()), sections_, index, 0);
  RebuildGrades(s);
}

const SectionRecord* CTarnixDoc::ChannelSection(int channel) const {
  const int index = currentSection_ + channel;
  if (currentSection_ < 0 || channel < 0 || index >= kSectionCount) return nullptr;
  return &sections_[index];
}

void CTarnixDoc::SetCurrentSection(int index) {
  if (!ValidSection(index) || index == currentSection_) return;
  currentSection_ = index;
  Changed(-1, Rebuild::Nothing, kChangeCurrent);
}

void CTarnixDoc::SetCurrentPoint(int index) {
  if (index == currentPoint_) return;
  currentPoint_ = index;
  Changed(-1, Rebuild::Nothing, kChangeCurrent);
}

void CTarnixDoc::SetPick(int section, int point, int shownIndex) {
  if (!ValidSection(section)) return;
  SectionRecord& s = sections_[section];
  CSamNode* p = s.PointAt(point);
  if (p == nullptr || !p->HasWaveform()) return;
  const int n = static_cast<int>(p->samples.size());
  p->arrivalIndex = std::clamp(shownIndex, 0, std::max(n - 1, 0));
  p->autoArrivalIndex = RecordIndex(p->arrivalIndex, timeCorrection_[section], s.dT);
  p->pickQuality = PickQuality::Good;  // the engineer's own pick
  currentPoint_ = point;
  Changed(section, Rebuild::ArraysAndCriteria, kChangePoints | kChangeCurrent);
}

void CTarnixDoc::SetFrequencyBin(int section, int point, int bin) {
  if (!ValidSection(section)) return;
  CSamNode* p = sections_[section].PointAt(point);
  if (p == nullptr || !p->HasWaveform()) return;
  p->freqIndex = std::clamp(bin, 0, kFrequencyBins - 1);
  currentPoint_ = point;
  Changed(section, Rebuild::ArraysAndCriteria, kChangePoints | kChangeCurrent);
}

void CTarnixDoc::CopyPoint(int section, int point) {
  if (!ValidSection(section)) return;
  const CSamNode* p = sections_[section].PointAt(point);
  if (p == nullptr) return;
  waveClipboard_ = *p;
  ui_.SetStatusText("复制成功");
}

void CTarnixDoc::FillWaveClipboard(CSamNode node) {
  waveClipboard_ = std::move(node);
  waveClipboardFull_ = true;
}

bool CTarnixDoc::PastePoint(int section, int point) {
  if (!ValidSection(section)) return false;
  if (!waveClipboard_) {
    ui_.SetStatusText("请先复制或单波读取后再粘贴");
    return false;
  }
  SectionRecord& s = sections_[section];
  CSamNode* target = s.PointAt(point);
  if (target == nullptr) return false;
  CSamNode pasted = *waveClipboard_;
  pasted.sourL = target->sourL;
  pasted.destL = target->destL;
  if (pasted.rawSamples.empty()) pasted.rawSamples = pasted.samples;
  // A waveform from another test takes this section's record length, so that
  // every later step can rely on it.
  const int n = s.datLen > 0 ? s.datLen : header_.datLen;
  if (pasted.HasWaveform() && n > 0) {
    pasted.samples.resize(n, kZeroLevel);
    pasted.rawSamples.resize(n, kZeroLevel);
    for (int32_t* index : {&pasted.arrivalIndex, &pasted.ampIndex}) *index = std::clamp(*index, 0, n - 1);
  }
  *target = std::move(pasted);
  Changed(section, Rebuild::ArraysAndCriteria, kChangePoints);
  ui_.SetStatusText("粘贴成功");
  return true;
}

bool CTarnixDoc::SetEvaluatedRange(int first, int last) {
  bool inside = first >= 0;
  for (const SectionRecord& s : sections_) {
    if (s.valid && last >= s.PointCount()) inside = false;
  }
  if (last - first < 9 || !inside) {
    ui_.Message("请确定区间的间隔点不少于１０个", MessageButtons::Ok);
    return false;
  }
  for (int i = 0; i < kSectionCount; ++i) {
    for (SectionRecord* s : {&sections_[i], &processingSnapshot_.sections[i], &displaySnapshot_.sections[i]}) {
      if (!s->valid) continue;
      s->firstIndex = first;
      s->lastIndex = last;
    }
  }
  Changed(-1, Rebuild::Nothing, kChangeRange);
  return true;
}

void CTarnixDoc::SetSectionDistance(int section, float crossD) {
  if (!ValidSection(section)) return;
  SectionRecord& s = sections_[section];
  // The spans keep their offsets from the section distance.
  for (int i = std::max(s.firstIndex, 0); i <= s.lastIndex && i < s.PointCount(); ++i) {
    CSamNode& point = s.points[static_cast<size_t>(i)];
    point.span = crossD - s.crossD + point.span;
  }
  s.crossD = crossD;
  Changed(section, Rebuild::Arrays, kChangePoints);
}

void CTarnixDoc::RebuildWaveforms(int section) {
  SectionRecord& s = sections_[section];
  RefilterSection(s, filters_[section]);
  ShiftSection(s, CorrectionSamples(timeCorrection_[section], header_.dT));
}

void CTarnixDoc::SetTimeCorrection(int section, int32_t correctionUs) {
  if (section < 0 || section >= kSectionCount) return;
  timeCorrection_[section] = correctionUs;
  if (ValidSection(section)) RebuildWaveforms(section);
  Changed(section, Rebuild::Arrays, kChangePoints);
}

void CTarnixDoc::SetFilter(int section, const ChannelFilter& filter, bool apply) {
  if (section < 0 || section >= kSectionCount) return;
  filters_[section] = filter;
  if (!apply) return;
  if (ValidSection(section)) RebuildWaveforms(section);
  Changed(section, Rebuild::Arrays, kChangePoints);
}

void CTarnixDoc::ChooseStandard() {
  ApplyStandard();
  Changed(-1, Rebuild::Nothing, kChangeCriteria);
}

void CTarnixDoc::RebuildDepths() {
  for (SectionRecord& s : sections_) {
    if (s.valid) s.RebuildDepths();
  }
  ui_.UpdateAllViews(kChangePoints);
}

void CTarnixDoc::SetHeaderTexts(const HeaderTexts& texts) {
  for (TestHeader* h : {&header_, &processingSnapshot_.header, &displaySnapshot_.header}) ApplyTexts(*h, texts);
  Changed(-1, Rebuild::Nothing, kChangeHeader);
}

void CTarnixDoc::TakeProcessingSnapshot() { processingSnapshot_ = {header_, sections_}; }

void CTarnixDoc::RestoreProcessingSnapshot() {
  header_ = processingSnapshot_.header;
  sections_ = processingSnapshot_.sections;
  ui_.UpdateAllViews(kChangeAll);
}

// --- Undo states ----------------------------------------------------------------

CTarnixDoc::SectionState CTarnixDoc::CaptureSection(int index) const {
  return {sections_[index], filters_[index], timeCorrection_[index]};
}

void CTarnixDoc::RestoreSection(int index, const SectionState& state) {
  sections_[index] = state.section;
  filters_[index] = state.filter;
  timeCorrection_[index] = state.correction;
  Changed(index, Rebuild::Nothing, kChangePoints | kChangeCriteria);
}

CTarnixDoc::PointState CTarnixDoc::CapturePoint(int section, int point) const {
  const SectionRecord& s = sections_[section];
  const CSamNode* p = s.PointAt(point);
  return {p != nullptr ? *p : CSamNode(), s.criticalA, s.criticalV};
}

void CTarnixDoc::RestorePoint(int section, int point, const PointState& state) {
  SectionRecord& s = sections_[section];
  CSamNode* p = s.PointAt(point);
  if (p == nullptr) return;
  *p = state.point;
  RebuildDerivedArrays(s);
  s.criticalA = state.criticalA;
  s.criticalV = state.criticalV;
  RebuildGrades(s);
  Changed(-1, Rebuild::Nothing, kChangePoints | kChangeCriteria);
}

CTarnixDoc::RangeState CTarnixDoc::CaptureRanges() const {
  RangeState state;
  for (int i = 0; i < kSectionCount; ++i) {
    state[3 * i] = {sections_[i].firstIndex, sections_[i].lastIndex};
    state[3 * i + 1] = {processingSnapshot_.sections[i].firstIndex, processingSnapshot_.sections[i].lastIndex};
    state[3 * i + 2] = {displaySnapshot_.sections[i].firstIndex, displaySnapshot_.sections[i].lastIndex};
  }
  return state;
}

void CTarnixDoc::RestoreRanges(const RangeState& state) {
  for (int i = 0; i < kSectionCount; ++i) {
    std::tie(sections_[i].firstIndex, sections_[i].lastIndex) = state[3 * i];
    std::tie(processingSnapshot_.sections[i].firstIndex, processingSnapshot_.sections[i].lastIndex) = state[3 * i + 1];
    std::tie(displaySnapshot_.sections[i].firstIndex, displaySnapshot_.sections[i].lastIndex) = state[3 * i + 2];
  }
  Changed(-1, Rebuild::Nothing, kChangeRange);
}

void CTarnixDoc::SetVelocityCriterion(int section, float criticalV) {
  if (!ValidSection(section)) return;
  sections_[section].criticalV = criticalV;
  RebuildGrades(sections_[section]);
  Changed(section, Rebuild::Nothing, kChangeCriteria);
}

CTarnixDoc::CriteriaState CTarnixDoc::CaptureCriteria() const {
  CriteriaState state;
  for (int i = 0; i < kSectionCount; ++i) state[i] = {sections_[i].criticalA, sections_[i].criticalV};
  return state;
}

void CTarnixDoc::RestoreCriteria(const CriteriaState& state) {
  for (int i = 0; i < kSectionCount; ++i) {
    std::tie(sections_[i].criticalA, sections_[i].criticalV) = state[i];
    if (sections_[i].valid) RebuildGrades(sections_[i]);
  }
  Changed(-1, Rebuild::Nothing, kChangeCriteria);
}

}  // namespace tarnix
