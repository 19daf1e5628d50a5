#pragma once
// How the wave panes and the analysis pane draw a test, kept in the settings file.
#include <array>
#include <cstdint>

namespace tarnix {

// A colour value with red in the lowest byte.
inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return r | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

// The four stored colours, by position.
// The curve adjustment's options, by position.
enum CurveAdjustOption { kShowVelocityCurve = 0, kCustomAxis = 3 };

enum CurveColour { kTimeCurveColour = 0, kVelocityCurveColour = 1, kAmpCurveColour = 2, kPickColour = 3 };

struct DisplaySettings {
  int32_t showWaveforms = 1;      // 1 waveforms, 0 spectra
  int32_t curvePosition = 1;      // band of the current-waveform panel: 1 top, 2 middle, 3 bottom
  int32_t panelHeight = 200;      // 50..300 pixels
  int32_t waveGain = 1;           // 1, 2, 3, 4, 5, 10, 15 or 20
  int32_t spectrumRefine = 1;     // power of two 1..32
  int32_t phase = 1;              // 1 normal, -1 inverted
  int32_t showCurrentWave = 1;
  int32_t showTimeCurve = 1;
  int32_t showAmpCurve = 1;
  int32_t trainMode = 1;          // 1 curve, 2 positive fill, 3 segments, 4 grey
  int32_t valueGain = 1;          // 1..10
  int32_t intervalGain = 1;       // 1..10
  int32_t positiveThreshold = 0;
  int32_t transmitterMode = 0;    // 0 transmitter above, 1 below
  int32_t depthReference = 0;     // 0 transmitter, 1 receiver 1, 2 receiver 2, 3 centre
  float referenceOffset = 0.0f;   // m, follows depthReference and transmitterMode
  int32_t greyMin = 0;
  int32_t greyMax = 255;
  std::array<uint32_t, 4> colours{Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(0, 255, 255), Rgb(255, 0, 0)};
  // Zoom state of the wave train; the level is not stored and starts at 1.
  int32_t rowHeightInt = 0;
  float rowHeight = 10.0f;
  int32_t reservedInt = 0;  // kept in its place in the settings file
  int32_t zoomLevel = 1;
  // Options of the analysis pane's curve adjustment.
  std::array<int32_t, 4> curveAdjust{1, 1, 1, 0};
  // Velocity axis of the Vp-H curve in km/s; while the end is not above the
  // start the axis follows the data. Not stored: each run starts automatic.
  float axisStart = 0.0f;
  float axisEnd = 0.0f;

  bool HasFixedAxis() const { return axisEnd > axisStart; }

  // Distance of the depth reference from the transmitter, in m.
  float ReferenceOffsetFor() const;
};

}  // namespace tarnix
