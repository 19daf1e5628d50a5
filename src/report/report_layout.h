#pragma once
// Where things stand on a report page, as numbers: the columns of the table in
// units of a 59th of its width, the rock-parameter columns the show flags ask
// for, the bands of the page, the share of a text that fits its cell, and the
// placement and numbering of header, footer and page number. No drawing here.
#include <string>
#include <vector>

#include "model/layer_set.h"

namespace tarnix {

enum class RockParameter { UnitWeight, Poisson, Modulus, Kv };

// The parameter columns of style one, in their order (Ed only with both the
// Poisson ratio and the unit weight); none in style two or with both styles off.
std::vector<RockParameter> ParameterColumns(const LayerSet& layers);

// Column borders of the table in units u (a 59th of the table width).
struct TableColumns {
  static constexpr int kLog = 0, kLegend = 8, kLayerDepth = 12, kRuler = 16, kCurve = 20, kResultDepth = 36,
                       kVelocity = 40, kParameters = 44, kTable = 59;
  int unit = 0;  // u in pixels
  int left = 0;  // the table's left edge
  int width = 0;
  int resultRight = 0;  // right edge of the result block, pixels
  int X(double units) const { return left + static_cast<int>(units * unit); }
};
TableColumns LayoutColumns(int tableLeft, int tableWidth, const LayerSet& layers);

// The vertical bands of a report page, from the printable top (H = height).
struct ReportBands {
  int headerHeight = 0;  // the header block of format 1 or 2
  int bandTop = 0;       // the column headers
  int bodyTop = 0;
  int bodyBottom = 0;
};
ReportBands LayoutReportBands(int printableHeight, int headerFormat);

// Characters of a text of `length` characters that fit a cell whose height
// the whole text would overflow; never negative, never more than the text.
int FittingCharacters(int length, double cellHeight, double textHeight);

// Left edge of a header, footer or page-number text of `length` characters in
// a rectangle holding n characters per line: position 0 left, 1 centred,
// 2 right. False when not even one character fits.
bool AlignedTextLeft(int rectLeft, int rectWidth, int length, int n, int position, double& x);

// Upper-case Roman numerals in the subtractive form; empty for 0 or less.
std::string RomanNumeral(int value);
// The page number as the page settings write it ("%2d" or Roman).
std::string PageNumberText(int firstNumber, int pageIndex, int format);

}  // namespace tarnix
