#include "document/display_rules.h"

#include <algorithm>
#include <cmath>

namespace tarnix {

namespace {

int IndexOf(int value, int first, int count) {
  const int i = value - first;
  return i >= 0 && i < count ? i : 0;
}

}  // namespace

int RefineStep(int current, ScrollStep step, int thumb) {
  switch (step) {
    case ScrollStep::LineLeft:
      return std::max(current / 2, kRefineMin);
    case ScrollStep::LineRight:
      // 16 doubles to 32; anything past 30 settles on the top value.
      return current * 2 > 30 ? kRefineMax : std::max(current * 2, kRefineMin);
    case ScrollStep::PageLeft:
      return std::max(current / 4, kRefineMin);
    case ScrollStep::PageRight:
      return current * 4 > 28 ? kRefineMax : std::max(current * 4, kRefineMin);
    case ScrollStep::Thumb: {
      int p = kRefineMin;
      while (p < thumb && p < kRefineMax) p *= 2;
      return p;
    }
    case ScrollStep::ToMinimum:
      return kRefineMin;
    case ScrollStep::ToMaximum:
      return kRefineMax;
  }
  return current;
}

int BoundedStep(int current, ScrollStep step, const StepRule& rule, int thumb) {
  int next = current;
  switch (step) {
    case ScrollStep::LineLeft:
      next = current - rule.line;
      break;
    case ScrollStep::LineRight:
      next = current + rule.line;
      break;
    case ScrollStep::PageLeft:
      next = current - rule.page;
      break;
    case ScrollStep::PageRight:
      next = current + rule.page;
      break;
    case ScrollStep::Thumb:
      next = thumb;
      break;
    case ScrollStep::ToMinimum:
      next = rule.min;
      break;
    case ScrollStep::ToMaximum:
      next = rule.max;
      break;
  }
  return std::clamp(next, rule.min, rule.max);
}

void SetRowHeight(DisplaySettings& d, float rowHeight) {
  d.rowHeight = rowHeight;
  d.rowHeightInt = static_cast<int32_t>(rowHeight);
}

void ToggleCurrentWave(DisplaySettings& d, bool on, int pointCount) {
  d.showCurrentWave = on ? 1 : 0;
  if (pointCount <= 0) return;
  const float share = static_cast<float>(d.panelHeight) / static_cast<float>(pointCount);
  SetRowHeight(d, on ? d.rowHeight - share : d.rowHeight + share);
}

void ApplyPanelHeight(DisplaySettings& d, int panelHeight, int paneHeight, float pileLen, float move) {
  d.panelHeight = panelHeight;
  if (!(move > 0.0f)) return;
  const double rows = std::ceil(static_cast<double>(pileLen) / move + 1.0);
  if (!(rows >= 1.0)) return;
  SetRowHeight(d, static_cast<float>((paneHeight - panelHeight) / rows));
}

int CurvePositionFromIndex(int index) { return std::clamp(index, 0, 2) + 1; }
int CurvePositionIndex(int curvePosition) { return IndexOf(curvePosition, 1, 3); }

int WaveGainFromIndex(int index) {
  return kWaveGains[std::clamp(index, 0, static_cast<int>(kWaveGains.size()) - 1)];
}

int WaveGainIndex(int waveGain) {
  const auto it = std::find(kWaveGains.begin(), kWaveGains.end(), waveGain);
  return it == kWaveGains.end() ? 0 : static_cast<int>(it - kWaveGains.begin());
}

int TrainModeFromIndex(int index) { return std::clamp(index, 0, 3) + 1; }
int TrainModeIndex(int trainMode) { return IndexOf(trainMode, 1, 4); }

void SetDepthReference(DisplaySettings& d, int depthReference) {
  d.depthReference = depthReference;
  d.referenceOffset = d.ReferenceOffsetFor();
}

void SetTransmitterMode(DisplaySettings& d, int transmitterMode) {
  d.transmitterMode = transmitterMode;
  d.referenceOffset = d.ReferenceOffsetFor();
}

GreyCheck CheckGreyRange(int greyMin, int greyMax) {
  if (greyMin < 0 || greyMin > kGreyLimit || greyMax < 0 || greyMax > kGreyLimit) return GreyCheck::OutOfRange;
  return greyMax < greyMin ? GreyCheck::MaxBelowMin : GreyCheck::Ok;
}

int GreyPreviewLevel(int greyMin, int greyMax, int column, int width) {
  if (width <= 0) return greyMin;
  return greyMin + (greyMax - greyMin) * column / width;
}

void RestoreForCancel(DisplaySettings& d, const DisplaySettings& remembered) {
  d.showWaveforms = remembered.showWaveforms;
  d.depthReference = remembered.depthReference;
  d.panelHeight = remembered.panelHeight;
  d.spectrumRefine = remembered.spectrumRefine;
  d.curvePosition = remembered.curvePosition;
  d.waveGain = remembered.waveGain;
  d.phase = remembered.phase;
  d.showCurrentWave = remembered.showCurrentWave;
  d.showTimeCurve = remembered.showTimeCurve;
  d.showAmpCurve = remembered.showAmpCurve;
  d.trainMode = remembered.trainMode;
  d.intervalGain = remembered.intervalGain;
  d.valueGain = remembered.valueGain;
  d.positiveThreshold = remembered.positiveThreshold;
  d.rowHeight = remembered.rowHeight;
  d.rowHeightInt = remembered.rowHeightInt;
  d.colours = remembered.colours;
}

float AxisEndForScale(float start0, float end0, int position) {
  return end0 + (end0 - start0) * static_cast<float>(position - kAxisScaleMiddle) / kAxisScaleMiddle;
}

}  // namespace tarnix
