// The display settings dialog's steps, mappings and checks.
#include "document/display_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarnix {
namespace {

TEST(RefineStepTest, LineStepsDoubleAndHalveWithinOneTo32) {
  EXPECT_EQ(RefineStep(16, ScrollStep::LineRight), 32);
  EXPECT_EQ(RefineStep(32, ScrollStep::LineRight), 32);
  EXPECT_EQ(RefineStep(1, ScrollStep::LineRight), 2);
  EXPECT_EQ(RefineStep(8, ScrollStep::LineLeft), 4);
  EXPECT_EQ(RefineStep(1, ScrollStep::LineLeft), 1);
}

TEST(RefineStepTest, PageStepsMoveByFourWithinOneTo32) {
  EXPECT_EQ(RefineStep(4, ScrollStep::PageRight), 16);
  EXPECT_EQ(RefineStep(8, ScrollStep::PageRight), 32);
  EXPECT_EQ(RefineStep(16, ScrollStep::PageRight), 32);
  EXPECT_EQ(RefineStep(32, ScrollStep::PageLeft), 8);
  EXPECT_EQ(RefineStep(2, ScrollStep::PageLeft), 1);
}

TEST(RefineStepTest, DraggedThumbTakesTheNextPowerOfTwo) {
  EXPECT_EQ(RefineStep(1, ScrollStep::Thumb, 1), 1);
  EXPECT_EQ(RefineStep(1, ScrollStep::Thumb, 5), 8);
  EXPECT_EQ(RefineStep(1, ScrollStep::Thumb, 8), 8);
  EXPECT_EQ(RefineStep(1, ScrollStep::Thumb, 17), 32);
  EXPECT_EQ(RefineStep(1, ScrollStep::Thumb, 32), 32);
}

TEST(BoundedStepTest, PanelHeightStepsAndBounds) {
  EXPECT_EQ(BoundedStep(200, ScrollStep::LineRight, kPanelHeightRule), 201);
  EXPECT_EQ(BoundedStep(200, ScrollStep::PageLeft, kPanelHeightRule), 150);
  EXPECT_EQ(BoundedStep(280, ScrollStep::PageRight, kPanelHeightRule), 300);
  EXPECT_EQ(BoundedStep(50, ScrollStep::LineLeft, kPanelHeightRule), 50);
  EXPECT_EQ(BoundedStep(200, ScrollStep::Thumb, kPanelHeightRule, 20), 50);
}

TEST(BoundedStepTest, GainsAndThreshold) {
  EXPECT_EQ(BoundedStep(1, ScrollStep::PageRight, kGainRule), 3);
  EXPECT_EQ(BoundedStep(10, ScrollStep::LineRight, kGainRule), 10);
  EXPECT_EQ(BoundedStep(2, ScrollStep::PageLeft, kGainRule), 1);
  // The threshold's page step overshoots the scroll bar, which holds it at its ends.
  EXPECT_EQ(BoundedStep(3, ScrollStep::PageRight, kThresholdRule), 10);
  EXPECT_EQ(BoundedStep(9, ScrollStep::PageLeft, kThresholdRule), 1);
  EXPECT_EQ(BoundedStep(0, ScrollStep::LineRight, kThresholdRule), 1);  // the stored default lies below
}

TEST(RowHeightTest, CurrentWaveOffThenOnRestoresTheRowHeight) {
  DisplaySettings d;
  SetRowHeight(d, 17.0f);
  d.panelHeight = 200;
  ToggleCurrentWave(d, false, 37);
  EXPECT_EQ(d.showCurrentWave, 0);
  EXPECT_FLOAT_EQ(d.rowHeight, 17.0f + 200.0f / 37.0f);
  EXPECT_EQ(d.rowHeightInt, 22);
  ToggleCurrentWave(d, true, 37);
  EXPECT_EQ(d.showCurrentWave, 1);
  EXPECT_FLOAT_EQ(d.rowHeight, 17.0f);
}

TEST(RowHeightTest, CurrentWaveWithoutPointsOnlySetsTheFlag) {
  DisplaySettings d;
  SetRowHeight(d, 12.0f);
  ToggleCurrentWave(d, false, 0);
  EXPECT_EQ(d.showCurrentWave, 0);
  EXPECT_FLOAT_EQ(d.rowHeight, 12.0f);
}

TEST(RowHeightTest, PanelHeightSharesTheRestOfThePaneAmongTheRows) {
  DisplaySettings d;
  // A 10 m hole at 0.5 m: ceil(20 + 1) = 21 rows.
  ApplyPanelHeight(d, 150, 570, 10.0f, 0.5f);
  EXPECT_EQ(d.panelHeight, 150);
  EXPECT_FLOAT_EQ(d.rowHeight, 20.0f);
  EXPECT_EQ(d.rowHeightInt, 20);
  // A spacing that does not divide the hole rounds the rows up: ceil(10.2 / 0.4 + 1) = 27.
  ApplyPanelHeight(d, 100, 640, 10.2f, 0.4f);
  EXPECT_FLOAT_EQ(d.rowHeight, 20.0f);
  ApplyPanelHeight(d, 120, 640, 10.0f, 0.0f);
  EXPECT_EQ(d.panelHeight, 120);
  EXPECT_FLOAT_EQ(d.rowHeight, 20.0f);
}

TEST(ComboMappingTest, EntriesMapToTheirValuesAndBack) {
  for (int i = 0; i < 8; ++i) EXPECT_EQ(WaveGainIndex(WaveGainFromIndex(i)), i);
  EXPECT_EQ(WaveGainFromIndex(5), 10);
  EXPECT_EQ(WaveGainFromIndex(7), 20);
  EXPECT_EQ(WaveGainIndex(15), 6);
  EXPECT_EQ(WaveGainIndex(7), 0);
  EXPECT_EQ(CurvePositionFromIndex(2), 3);
  EXPECT_EQ(CurvePositionIndex(3), 2);
  EXPECT_EQ(TrainModeFromIndex(3), 4);
  EXPECT_EQ(TrainModeIndex(4), 3);
  EXPECT_EQ(TrainModeIndex(9), 0);
}

TEST(ProbeGeometryTest, ReferenceOffsetFollowsReferenceAndTransmitter) {
  DisplaySettings d;
  SetTransmitterMode(d, 1);
  SetDepthReference(d, 2);
  EXPECT_FLOAT_EQ(d.referenceOffset, -0.5f);
  SetTransmitterMode(d, 0);
  EXPECT_FLOAT_EQ(d.referenceOffset, 0.5f);
  SetDepthReference(d, 3);
  EXPECT_FLOAT_EQ(d.referenceOffset, 0.4f);
  SetDepthReference(d, 0);
  EXPECT_FLOAT_EQ(d.referenceOffset, 0.0f);
}

TEST(GreyRangeTest, ChecksBoundsAndOrder) {
  EXPECT_EQ(CheckGreyRange(255, 255), GreyCheck::Ok);
  EXPECT_EQ(CheckGreyRange(0, 0), GreyCheck::Ok);
  EXPECT_EQ(CheckGreyRange(101, 100), GreyCheck::MaxBelowMin);
  EXPECT_EQ(CheckGreyRange(0, 256), GreyCheck::OutOfRange);
  EXPECT_EQ(CheckGreyRange(-1, 100), GreyCheck::OutOfRange);
}

TEST(GreyRangeTest, PreviewRampUsesIntegerArithmetic) {
  for (int i = 0; i < 40; ++i) EXPECT_EQ(GreyPreviewLevel(255, 255, i, 40), 255);
  EXPECT_EQ(GreyPreviewLevel(0, 255, 0, 100), 0);
  EXPECT_EQ(GreyPreviewLevel(0, 255, 50, 100), 127);  // 12750 / 100, not a rounded 127.5
  EXPECT_EQ(GreyPreviewLevel(0, 255, 99, 100), 252);
  EXPECT_EQ(GreyPreviewLevel(100, 200, 1, 3), 133);
}

// The fields "取消" writes back.
auto CancelledFields(const DisplaySettings& d) {
  return std::tuple(d.showWaveforms, d.depthReference, d.panelHeight, d.spectrumRefine, d.curvePosition, d.waveGain,
                    d.phase, d.showCurrentWave, d.showTimeCurve, d.showAmpCurve, d.trainMode, d.intervalGain,
                    d.valueGain, d.positiveThreshold, d.rowHeight, d.rowHeightInt, d.colours);
}

TEST(CancelTest, RestoresTheRememberedFieldsButKeepsGreyAndProbe) {
  DisplaySettings before;
  SetRowHeight(before, 14.5f);
  const DisplaySettings remembered = before;

  DisplaySettings d = before;
  d.showWaveforms = 0;
  d.depthReference = 2;
  d.panelHeight = 90;
  d.spectrumRefine = 16;
  d.curvePosition = 3;
  d.waveGain = 15;
  d.phase = -1;
  d.showCurrentWave = 0;
  d.showTimeCurve = 0;
  d.showAmpCurve = 0;
  d.trainMode = 4;
  d.intervalGain = 7;
  d.valueGain = 6;
  d.positiveThreshold = 5;
  SetRowHeight(d, 30.25f);
  d.colours[kTimeCurveColour] = Rgb(1, 2, 3);
  d.colours[kVelocityCurveColour] = Rgb(4, 5, 6);
  d.greyMin = 40;
  d.greyMax = 90;
  d.transmitterMode = 1;
  d.referenceOffset = -0.5f;

  RestoreForCancel(d, remembered);

  EXPECT_EQ(CancelledFields(d), CancelledFields(remembered));
  EXPECT_EQ(d.rowHeightInt, 14);
  EXPECT_EQ(d.greyMin, 40);
  EXPECT_EQ(d.greyMax, 90);
  EXPECT_EQ(d.transmitterMode, 1);
  EXPECT_EQ(d.referenceOffset, -0.5f);
}

}  // namespace
}  // namespace tarnix
