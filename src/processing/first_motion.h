#pragma once
// Where the first motion of an arrival began, from the zero crossings of its
// first lobes: a wavelet's crossings keep its period whatever its envelope, so
// sharp and smooth starts, slow and fast arrivals come out alike.
#include <vector>

namespace tarnix::picker {

// One lobe between two zero crossings (fractional sample positions).
struct Lobe {
  double start = 0, end = 0;
  int peakIndex = 0;
  double peak = 0;  // signed value at the peak
  double Width() const { return end - start; }
};

// r over [from, to] under a centred moving average of the given width, twice;
// the rest of r as it is.
std::vector<double> Smoothed(std::vector<double> r, int from, int to, int width);
// The centred moving average of r over [from, to] (zero elsewhere), once.
std::vector<double> CentredMean(const std::vector<double>& r, int from, int to, int width);

// Lobes of r over [from, to]; a sign change counts only once r passes the
// dead band on the other side.
std::vector<Lobe> Lobes(const std::vector<double>& r, int from, int to, double band);

// The start of the first positive lobe at a statistical onset (which a smooth
// start leaves late), given the lobes read on r, the estimated period and the
// level a lobe must reach; -1 when the lobes there do not make a wavelet. When
// the lobes end with the record, a lobe with only one closed lobe after it may
// start one.
double FirstMotionStart(const std::vector<double>& r, const std::vector<Lobe>& lobes, double onset, double period,
                        double level, bool recordEnds = false, double* halfPeriod = nullptr);

}  // namespace tarnix::picker
