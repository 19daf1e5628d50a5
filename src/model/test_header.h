#pragma once
// Project, hole and instrument information of a test: the file header, the pipe
// parameter block and the curve axis settings.
#include <array>
#include <cstdint>
#include <string>

namespace tarnix {

// Axis settings of one curve quantity of the analysis view.
struct CurveAxis {
  float max = 0.0f;
  float min = 0.0f;
  int32_t manual = 0;  // non-zero: set by hand
  float reference = 0.0f;
};

// The five curve quantities in the order the header holds them.
enum CurveQuantity { kCurveV = 0, kCurveF, kCurveT, kCurveA, kCurveP, kCurveCount };

inline constexpr int kMaxPipes = 5;

struct TestHeader {
  std::string inst = "***";
  std::string site = "***";
  std::string date = "***";
  std::string unit = "***";
  std::string person = "***";
  std::string m_holeHeight = "0";
  std::string m_holeDepth = "0";
  std::string m_holeX = "0";
  std::string m_holeY = "0";
  std::string m_holeDate;
  std::string m_holeID = "***";
  float pileLen = 22.0f;
  float pileD = 1.8f;
  float move = 0.2f;
  int32_t pipeNum = 3;
  std::array<float, kMaxPipes> pipeDepth{22.0f, 22.0f, 22.0f, 22.0f, 22.0f};
  int32_t aporeDeg = 0;
  float pileL = 0.0f;
  float pipeW = 57.0f;
  float pipeD = 50.0f;
  float pipeV = 5120.0f;
  float waterV = 1500.0f;
  float sensorD = 35.0f;
  float reserve1 = 61.9f;
  float reserve2 = 10.0f;
  float dT = 1.0f;
  int32_t datLen = 1024;
  std::string grade = "C30";
  std::string castDate = "2009-1-1";
  std::string remark = "I";
  int32_t standard = 0;  // 0 = SL-264-2001, the only standard
  int32_t sectionCount = 0;
  std::array<CurveAxis, kCurveCount> curves = DefaultCurves();

  static std::array<CurveAxis, kCurveCount> DefaultCurves();
};

// Short name of a curve quantity as used in file keys and JSON ("v", "f", "t", "a", "p").
const char* CurveKey(CurveQuantity q);

}  // namespace tarnix
