#pragma once
// In-place radix-2 complex FFT.
#include <complex>
#include <vector>

namespace tarnix {

// Forward transform (e^{-i...}); the size must be a power of two.
void Fft(std::vector<std::complex<double>>& data);

}  // namespace tarnix
