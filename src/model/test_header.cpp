#include "model/test_header.h"

namespace tarnix {

std::array<CurveAxis, kCurveCount> TestHeader::DefaultCurves() {
  return {{
      {8.0f, 2.0f, 0, 2.0f},      // v, km/s
      {100.0f, 0.0f, 0, 0.0f},    // f
      {500.0f, 0.0f, 0, 0.0f},    // t, µs
      {250.0f, 20.0f, 0, 50.0f},  // a, dB
      {50000.0f, 0.0f, 0, 0.0f},  // p
  }};
}

const char* CurveKey(CurveQuantity q) {
  static const char* const keys[kCurveCount] = {"v", "f", "t", "a", "p"};
  return keys[q];
}

}  // namespace tarnix
