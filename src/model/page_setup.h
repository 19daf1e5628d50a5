#pragma once
// Page and print settings of the report: margins, gutter, header, footer, page
// numbers, which pages a print job holds and the pens of the report page.
// Lengths in millimetres.
#include <array>
#include <cstdint>
#include <string>

namespace tarnix {

struct PageSetup {
  int32_t curveEnable = 1;
  int32_t curveType = 0;  // "V-H曲线"
  int32_t curveParameter = 15;
  std::array<int32_t, 6> reservedA{1, 1, 10, 1, 2, 10};
  int32_t borderWidth = 10;  // device pixels
  int32_t gridWidth = 8;
  int32_t topMargin = 20;
  int32_t leftMargin = 20;
  int32_t bottomMargin = 15;
  int32_t rightMargin = 15;
  int32_t gutter = 0;
  int32_t gutterPosition = 0;  // 0 left, 1 top
  std::array<int32_t, 4> reservedB{0, 0, 0, 0};
  std::string reservedTextA;
  std::string reservedTextB;
  int32_t printReportPages = 0;
  int32_t printWaveTrainPages = 0;
  int32_t printCurvePages = 1;
  int32_t waveTrainPaging = 0;  // whole hole, 20 m or 30 m per page
  int32_t instrumentNumber = 2;  // shown beside the instrument model
  std::array<int32_t, 3> reservedC{10, 5, 50};
  int32_t sectionsPerPage = 3;
  std::string instrumentModel = "KVT-QX7";
  int32_t reservedD = 0;
  int32_t printPageNumbers = 0;
  int32_t pageNumberPosition = 0;  // bottom left, centre, right
  int32_t firstPageNumber = 1;
  int32_t pageNumberFormat = 0;  // 0 Arabic, 1 Roman
  int32_t printHeader = 0;
  int32_t headerHeight = 5;
  int32_t headerPosition = 0;  // left, centre, right
  int32_t headerFont = 0;      // index into the report's five faces
  std::string headerText;
  int32_t printFooter = 0;
  int32_t footerHeight = 5;
  int32_t footerPosition = 0;
  int32_t footerFont = 0;
  std::string footerText;
  int32_t headerBlockFormat = 0;  // "格式1", "格式2"

  bool operator==(const PageSetup&) const = default;
};

}  // namespace tarnix
