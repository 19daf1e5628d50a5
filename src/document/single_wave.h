#pragma once
// "单波读取(&U)" and "单波保存(&I)": one measurement point as a raw test of its
// own, read into the wave clipboard that paste uses, or written from the
// selected point of the shown section.
#include <string>

#include "document/tarnix_doc.h"

namespace tarnix {

inline constexpr char kSingleWaveFilter[] = "声波原始文件 (*.CHT)|*.CHT||";

// Reads the file's one waveform into the clipboard; every refusal is shown.
// True when the clipboard was filled.
bool ReadSingleWave(CTarnixDoc& doc, const std::string& path);
void OnSingleWaveRead(CTarnixDoc& doc);

// The proposed name: the hole number, the pipes and the point's depth.
std::string SingleWaveName(const TestHeader& header, const SectionRecord& section, const CSamNode& point);
// ".CHT" appended unless the path ends in it (case-sensitive, as the files are named).
std::string WithRawTestSuffix(const std::string& path);
// Writes the point of the section as a one-point raw test; failures are shown.
// The document is not changed.
bool SaveSingleWave(CTarnixDoc& doc, int section, int point, const std::string& path);
void OnSingleWaveSave(CTarnixDoc& doc);

}  // namespace tarnix
