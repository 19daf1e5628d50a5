#pragma once
// In-place radix-2 complex FFT.
#include <complex>
#include <vector>

namespace tarnix {

// Forward transform (e^{-i...}); the size must be a power of two.
void Fft(std::vector<std::complex<double>>& data);

// Spectrum bins 0..n/2-1 of n real samples (n a power of two, at least 4),
// through a complex transform of half the size.
void RealFft(const std::vector<double>& x, std::vector<std::complex<double>>& bins);

}  // namespace tarnix
