#pragma once
// The result file: an analysed test with its hole information, curve axes,
// per-section statistics, layers and the span of every point, beside the same
// data file as the raw test.
#include <string>

#include "model/analysis_row.h"
#include "model/layer_set.h"
#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// Writes the evaluated range of every section in use, depths relative to the
// range's shallowest point, with the given analysis table. Both files are
// written beside their targets and replace them only when complete. Throws
// FileError.
void WriteResultFile(const std::string& textPath, const TestHeader& header, const Sections& sections,
                     const LayerSet& layers, const AnalysisRows& analysis);

// Reads the common blocks, then the curve axes, the analysis table and the
// layers. Throws FileError; on failure header, sections and layers are unchanged.
void ReadResultFile(const std::string& textPath, TestHeader& header, Sections& sections, LayerSet& layers);

}  // namespace tarnix
