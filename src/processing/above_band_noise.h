#pragma once
// Noise far above the arrivals' band: the converter's and the amplifier's own
// white noise, where no low-pass has limited it. It hides a weak arrival's
// rise and moves its lobes' crossings; a light centred moving average, a
// microsecond to either side, takes most of it off and leaves the arrivals,
// a dozen samples a period or more, as they were.
#include <vector>

namespace tarnix::picker {

// Whether the noise of x over [from, to], a stretch of noise alone, lies
// mostly above the arrivals' band: its second differences (which read a
// sample to either side) hold more than kAboveBand times its power about its
// mean, a third of what white noise gives. Never where the sampling is too
// coarse for the moving average to leave a wave alone, nor over fewer than
// kFewest samples or a stretch that hardly moves (a converter's limit, the
// rounding).
bool NoiseAboveBand(const std::vector<float>& x, int from, int to, double dtUs);

// x with [ks, ke] under that moving average.
std::vector<float> WithoutAboveBandNoise(const std::vector<float>& x, int ks, int ke, double dtUs);

}  // namespace tarnix::picker
