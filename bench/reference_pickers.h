// Two textbook pickers, for the accuracy bench to set the automatic picker
// against: the whole-record AIC (Maeda), and a recursive STA/LTA trigger with
// that AIC read around the trigger. Both take the record as its raw samples
// and return a sample index.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnix::bench {

// The split of the record into two parts of least k log var1 + (n - k) log var2.
int WholeRecordAic(const std::vector<double>& x);

// The record detrended (least-squares line), its square through a recursive
// STA/LTA (STA one period of the nominal frequency, LTA ten); the first
// sample where the ratio reaches 3 after the LTA has filled, and the AIC
// split of the LTA before it to an STA after it. Without a trigger, the
// whole-record AIC.
int StaLtaAic(const std::vector<double>& x, double periodSamples);

std::vector<double> CenteredSamples(const std::vector<uint16_t>& samples);

}  // namespace tarnix::bench
