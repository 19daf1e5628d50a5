#pragma once
// "导出测点波形(&W)": the selected point's two waveforms with their read-outs
// as a 1-bit bitmap.
#include <string>

#include "document/tarnix_doc.h"

namespace tarnix {

// The hole number, the pipes and the point's depth, joined by em dashes.
std::string PointWaveName(const TestHeader& header, const SectionRecord& section, const CSamNode* point);

// The point of the section (channel 1) and of the section after it (channel 2,
// absent past the last section or when not in use) into path; every outcome is
// shown. True when the file was written.
bool ExportPointWaves(CTarnixDoc& doc, int section, int point, const std::string& path);
void OnExportPointWaves(CTarnixDoc& doc);

}  // namespace tarnix
