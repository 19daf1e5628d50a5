#pragma once
// The text blocks that raw tests and result files share, built exactly as the
// instrument writes them. Every line ends in CR LF; the empty line that closes a
// block is the caller's.
#include <string>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

inline constexpr char kCrLf[] = "\r\n";

// The placeholder row of a section table: "SI  " and fifteen "********".
std::string EmptyTableRow();

// withHoleValues: result files fill the m_hole* lines, raw tests leave them bare.
std::string HeaderBlock(const TestHeader& h, bool withHoleValues);
std::string PipeBlock(const TestHeader& h);
// sectionCount sections carry their pipe numbers; the rest are placeholders.
std::string SectionBlock(const Sections& sections, int sectionCount);
std::string DefectTable(const Sections& sections);
std::string SectionParaTable(const TestHeader& h, const Sections& sections);
// The leading empty line, tag and column header of the ray table.
std::string RayTableHead(bool withSpan);

// Rows of the ray table and the data file they point into: every point with a
// waveform of every section in use, in index order; in range mode only the
// evaluated range, with depths relative to the range's shallowest point.
struct RayRows {
  std::string text;
  std::string data;
};
RayRows BuildRayRows(const TestHeader& h, const Sections& sections, bool rangeMode, bool withSpan);

}  // namespace tarnix
