#include "report/report_layout.h"

#include <algorithm>
#include <cmath>

#include "base/c_text.h"
#include "report/report_pagination.h"

namespace tarnix {

std::vector<RockParameter> ParameterColumns(const LayerSet& l) {
  std::vector<RockParameter> columns;
  if (l.m_style1 != 1 || l.m_style2 != 0) return columns;
  if (l.m_tag2 != 0) columns.push_back(RockParameter::UnitWeight);
  if (l.m_tag1 != 0) columns.push_back(RockParameter::Poisson);
  if (l.m_tag1 != 0 && l.m_tag2 != 0) columns.push_back(RockParameter::Modulus);
  if (l.m_tag3 != 0) columns.push_back(RockParameter::Kv);
  return columns;
}

TableColumns LayoutColumns(int tableLeft, int tableWidth, const LayerSet& layers) {
  TableColumns c;
  c.left = tableLeft;
  c.width = std::max(tableWidth, 0);
  c.unit = c.width / TableColumns::kTable;
  const bool interpretation = layers.m_style2 == 1 && layers.m_style1 == 0;
  const int k = static_cast<int>(ParameterColumns(layers).size());
  c.resultRight = interpretation ? c.left + c.width : c.X(TableColumns::kParameters + 4 * k);
  return c;
}

ReportBands LayoutReportBands(int h, int headerFormat) {
  ReportBands b;
  b.headerHeight = headerFormat == 1 ? h / 10 : h / 13;
  b.bandTop = h / 10 + h / 50;
  b.bodyBottom = h - h / 50;
  b.bodyTop = static_cast<int>(b.bodyBottom - kReportPageFactor * h);
  return b;
}

int FittingCharacters(int length, double cellHeight, double textHeight) {
  if (length <= 0) return 0;
  if (!(textHeight > cellHeight)) return length;
  if (!(cellHeight > 0.0) || !(textHeight > 0.0)) return 0;  // an inverted or empty cell shows nothing
  return std::clamp(static_cast<int>(length * cellHeight / textHeight), 0, length);
}

bool AlignedTextLeft(int rectLeft, int rectWidth, int length, int n, int position, double& x) {
  if (n <= 0) return false;
  const double share = 1.0 - static_cast<double>(length) / n;
  x = rectLeft;
  if (position == 1) x = rectLeft + share * rectWidth * 0.5;
  if (position == 2) x = rectLeft + share * rectWidth;
  return true;
}

std::string RomanNumeral(int value) {
  static const struct {
    int value;
    const char* digits;
  } kTable[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},   {1, "I"}};
  std::string text;
  for (const auto& [v, digits] : kTable) {
    while (value >= v) {
      text += digits;
      value -= v;
    }
  }
  return text;
}

std::string PageNumberText(int firstNumber, int pageIndex, int format) {
  const int number = firstNumber + pageIndex;
  return format == 1 ? RomanNumeral(number) : CFormat("%2d", number);
}

}  // namespace tarnix
