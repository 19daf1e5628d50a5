#pragma once
// Dominant frequency of a waveform from its 512-point spectrum.
#include <cstdint>

#include "model/section_record.h"

namespace tarnix {

inline constexpr int kFrequencyBins = 256;
inline constexpr float kSpectrumPeak = 466.0f;

// Dominant frequency in kHz of count offset-binary samples at dT µs. spectrum
// receives the 256 powers scaled so that the peak reads 466, peakIndex the peak
// bin. The frequency is that of fixedIndex, or of the peak when fixedIndex is -1.
float CalcMainFrequency(const uint16_t* samples, int count, float dT, float* spectrum, int& peakIndex,
                        int fixedIndex);

// Frequency in kHz of a spectrum bin at dT µs: 500 000 / dT Hz over 255 bins,
// truncated to whole Hz.
float BinFrequency(int bin, float dT);

// Fills the section's mainFreq per point (0 without waveform); a point whose
// bin is not chosen yet (freqIndex -1) takes the peak bin.
void RebuildMainFreq(SectionRecord& section);

}  // namespace tarnix
