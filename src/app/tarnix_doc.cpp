#include "app/tarnix_doc.h"

#include <memory>

#include "analysis/point_evaluation.h"
#include "app/section_completion.h"
#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/raw_test_reader.h"
#include "processing/time_shift.h"

namespace tarnix {

CTarnixDoc::CTarnixDoc() {
  sectionFlags.fill(true);
  ChooseStandard();
}

void CTarnixDoc::ChooseStandard() {
  algorithm = std::make_unique<CAlgorithm_SL_264_2001>(AlgorithmSource{&sections, &currentSection, &header});
  for (int i = 0; i < kSectionCount; ++i) {
    SectionRecord& s = sections[i];
    if (!s.valid) continue;
    s.criticalA = algorithm->CalcAmpCritical(s.ampDb.data(), static_cast<int>(s.ampDb.size()), s, 0);
    s.criticalV =
        algorithm->CalcVelocityCritical(s.velocity.data(), static_cast<int>(s.velocity.size()), sections, i, 0);
    RebuildGrades(s);
  }
}

SectionRecord* CTarnixDoc::ChannelSection(int channel) {
  const int index = currentSection + channel;
  if (currentSection < 0 || channel < 0 || index >= kSectionCount) return nullptr;
  return &sections[index];
}

void CTarnixDoc::OpenRawTest(const std::string& path) {
  if (!IsRawTestPath(path)) throw FileError("无法识别的文件类型");
  TestHeader scratch = header;
  auto fresh = std::make_unique<Sections>();
  ReadTestFilePair(path, scratch, *fresh);
  // A raw test carries no hand-set curve axes; the time axis keeps its setting.
  for (CurveQuantity q : {kCurveV, kCurveF, kCurveA, kCurveP}) scratch.curves[q].manual = 0;

  sectionFlags.fill(true);
  layers.Reset();
  header = std::move(scratch);
  currentSection = -1;
  for (int i = 0; i < kSectionCount; ++i) {
    sections[i] = std::move((*fresh)[i]);
    timeCorrection[i] = 0;
    if (!sections[i].valid) continue;
    CompleteSection(sections[i], header, filters[i]);
    if (currentSection < 0) currentSection = i;
  }
  // Criteria of a raw test come from the evaluation algorithm, which the
  // header's standard (SL-264-2001, the only one) replaces afresh.
  ChooseStandard();
  layers.m_style1 = 1;
  layers.m_style2 = 0;
  header.m_holeHeight = header.m_holeDepth = header.m_holeX = header.m_holeY = "0";
  currentPoint = 0;
  hasData = true;
  modified = false;
}

void CTarnixDoc::ApplyChannelFilter(int channel) {
  SectionRecord* s = ChannelSection(channel);
  if (s == nullptr) return;
  RefilterSection(*s, filters[currentSection + channel]);
  ShiftChannel(channel);
  modified = true;
}

void CTarnixDoc::ShiftChannel(int channel) {
  SectionRecord* s = ChannelSection(channel);
  if (s == nullptr) return;
  ShiftSection(*s, CorrectionSamples(timeCorrection[currentSection + channel], header.dT));
  RebuildDerivedArrays(*s);
}

}  // namespace tarnix
