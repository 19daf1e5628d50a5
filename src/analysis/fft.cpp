#include "analysis/fft.h"

#include <cmath>
#include <utility>

namespace tarnix {

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  // Twiddles e^{-2 pi i k / n}, computed directly (no accumulated rounding) and
  // kept for the next transform of the same size.
  thread_local std::vector<double> cosTable, sinTable;
  if (cosTable.size() != n / 2) {
    cosTable.resize(n / 2);
    sinTable.resize(n / 2);
    for (size_t k = 0; k < n / 2; ++k) {
      const double angle = -2.0 * 3.141592653589793 * static_cast<double>(k) / static_cast<double>(n);
      cosTable[k] = std::cos(angle);
      sinTable[k] = std::sin(angle);
    }
  }
  // Plain real arithmetic: std::complex multiplication checks for NaN and
  // infinities on every product, which costs more than the transform itself.
  auto* d = reinterpret_cast<double*>(a.data());
  for (size_t len = 2; len <= n; len <<= 1) {
    const size_t half = len / 2;
    const size_t stride = n / len;
    for (size_t start = 0; start < n; start += len) {
      for (size_t k = 0; k < half; ++k) {
        const double wr = cosTable[k * stride];
        const double wi = sinTable[k * stride];
        double* u = d + 2 * (start + k);
        double* v = d + 2 * (start + k + half);
        const double vr = v[0] * wr - v[1] * wi;
        const double vi = v[0] * wi + v[1] * wr;
        v[0] = u[0] - vr;
        v[1] = u[1] - vi;
        u[0] += vr;
        u[1] += vi;
      }
    }
  }
}

void RealFft(const std::vector<double>& x, std::vector<std::complex<double>>& bins) {
  const size_t half = x.size() / 2;
  // Kept per thread: a section's spectra reuse one buffer.
  thread_local std::vector<std::complex<double>> z;
  z.resize(half);
  for (size_t i = 0; i < half; ++i) z[i] = {x[2 * i], x[2 * i + 1]};
  Fft(z);
  thread_local std::vector<double> cosTable, sinTable;
  if (cosTable.size() != half) {
    cosTable.resize(half);
    sinTable.resize(half);
    for (size_t k = 0; k < half; ++k) {
      const double angle = -3.141592653589793 * static_cast<double>(k) / static_cast<double>(half);
      cosTable[k] = std::cos(angle);
      sinTable[k] = std::sin(angle);
    }
  }
  // Split the transforms of the even and odd samples apart: X[k] = E[k] + w^k O[k],
  // with b = conj(z[half - k]). Plain doubles: going through std::complex here
  // stalls on partial stores and reloads.
  bins.resize(half);
  const double* zd = reinterpret_cast<const double*>(z.data());
  double* out = reinterpret_cast<double*>(bins.data());
  for (size_t k = 0; k < half; ++k) {
    const size_t j = k == 0 ? 0 : half - k;
    const double ar = zd[2 * k], ai = zd[2 * k + 1];
    const double br = zd[2 * j], bi = -zd[2 * j + 1];
    const double er = 0.5 * (ar + br), ei = 0.5 * (ai + bi);
    const double orr = 0.5 * (ai - bi), oi = -0.5 * (ar - br);
    const double wr = cosTable[k], wi = sinTable[k];
    out[2 * k] = er + wr * orr - wi * oi;
    out[2 * k + 1] = ei + wr * oi + wi * orr;
  }
}

}  // namespace tarnix
