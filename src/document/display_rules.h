#pragma once
// The rules behind the display settings dialog, kept free of widgets so that
// the steps, mappings and checks can be exercised on their own.
#include <array>

#include "document/display_settings.h"

namespace tarnix {

// What a scroll bar was asked to do. Thumb carries the dragged position.
enum class ScrollStep { LineLeft, LineRight, PageLeft, PageRight, Thumb, ToMinimum, ToMaximum };

// "频谱细化倍数": powers of two from 1 to 32.
inline constexpr int kRefineMin = 1;
inline constexpr int kRefineMax = 32;
int RefineStep(int current, ScrollStep step, int thumb = 0);

// "比例关系" of the curve adjustment: the axis end for a scroll position 0..20,
// from the end and start it had when the bar stood at 10 (20 doubles the span,
// 0 collapses it onto the start).
inline constexpr int kAxisScaleMiddle = 10;
float AxisEndForScale(float start0, float end0, int position);

// A scroll bar moving by fixed steps between bounds.
struct StepRule {
  int line;
  int page;
  int min;
  int max;
};
inline constexpr StepRule kPanelHeightRule{1, 50, 50, 300};  // "凸显区间"
inline constexpr StepRule kGainRule{1, 2, 1, 10};            // "数值放大", "区间放大"
inline constexpr StepRule kThresholdRule{1, 100, 1, 10};     // "正向阈值"
int BoundedStep(int current, ScrollStep step, const StepRule& rule, int thumb = 0);

// Keeps the integer copy of the row height in step with the float one.
void SetRowHeight(DisplaySettings& d, float rowHeight);
// "当前波形": the panel takes its height out of the rows when shown and gives
// it back when hidden, spread over the points of the current section. Nothing
// changes without points.
void ToggleCurrentWave(DisplaySettings& d, bool on, int pointCount);
// "凸显区间": the rows share what the panel leaves of the pane's drawing
// height, one row per measuring position of the hole. A hole without spacing
// leaves the row height as it is.
void ApplyPanelHeight(DisplaySettings& d, int panelHeight, int paneHeight, float pileLen, float move);

// Combo entries and the values they stand for.
inline constexpr std::array<int, 8> kWaveGains{1, 2, 3, 4, 5, 10, 15, 20};
int CurvePositionFromIndex(int index);  // 1..3
int CurvePositionIndex(int curvePosition);
int WaveGainFromIndex(int index);
int WaveGainIndex(int waveGain);  // a gain not in the list selects the first entry
int TrainModeFromIndex(int index);  // 1..4
int TrainModeIndex(int trainMode);

// Probe geometry: both set the reference offset to match.
void SetDepthReference(DisplaySettings& d, int depthReference);
void SetTransmitterMode(DisplaySettings& d, int transmitterMode);

// Grey-scale range.
inline constexpr int kGreyLimit = 255;
enum class GreyCheck { Ok, OutOfRange, MaxBelowMin };
GreyCheck CheckGreyRange(int greyMin, int greyMax);
// Grey level of column i of a preview strip w pixels wide.
int GreyPreviewLevel(int greyMin, int greyMax, int column, int width);

// Cancel writes back what the dialog found when it opened, except the grey
// range and the probe geometry, which keep their new values.
void RestoreForCancel(DisplaySettings& d, const DisplaySettings& remembered);

}  // namespace tarnix
