#include "processing/curved_baseline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnix::picker {
namespace {

// Sums of t^0..t^4, of t^0..t^2 times y and of y², over a stretch, from
// which the least-squares line and parabola and what each leaves follow.
struct Sums {
  std::array<double, 5> s{};
  std::array<double, 3> ty{};
  double yy = 0;

  Parabola Line(double centre) const {
    const double slope = (s[0] * ty[1] - s[1] * ty[0]) / (s[0] * s[2] - s[1] * s[1]);
    return {centre, (ty[0] - slope * s[1]) / s[0], slope, 0.0};
  }
  Parabola Curve(double centre) const {
    // The normal equations by elimination; they are well conditioned with t
    // measured from the stretch's middle.
    double m[3][4] = {{s[0], s[1], s[2], ty[0]}, {s[1], s[2], s[3], ty[1]}, {s[2], s[3], s[4], ty[2]}};
    for (int p = 0; p < 3; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        const double f = m[q][p] / m[p][p];
        for (int k = p; k < 4; ++k) m[q][k] -= f * m[p][k];
      }
    }
    const double c2 = m[2][3] / m[2][2];
    const double c1 = (m[1][3] - m[1][2] * c2) / m[1][1];
    return {centre, (m[0][3] - m[0][1] * c1 - m[0][2] * c2) / m[0][0], c1, c2};
  }
  Sums& operator+=(const Sums& o) {
    for (int k = 0; k < 5; ++k) s[k] += o.s[k];
    for (int k = 0; k < 3; ++k) ty[k] += o.ty[k];
    yy += o.yy;
    return *this;
  }
  // What a fit over this very stretch leaves.
  double Left(const Parabola& p) const { return std::max(0.0, yy - p.c0 * ty[0] - p.c1 * ty[1] - p.c2 * ty[2]); }
};

}  // namespace

std::optional<Parabola> CurveCarriedOn(const std::vector<float>& x, const NoiseModel& line, int from, int to, int held,
                                       double level) {
  const int fitEnd = to - held;  // the fit's last sample
  if (held < 2 || fitEnd - from < held) return std::nullopt;
  auto y = [&](int i) { return x[i] - (line.slope * i + line.intercept); };
  const double centre = 0.5 * (from + to);
  Sums fitted, tail;
  for (int i = from; i <= to; ++i) {
    const double t = i - centre, v = y(i);
    Sums& sums = i <= fitEnd ? fitted : tail;
    double power = 1;
    for (int k = 0; k < 5; ++k, power *= t) {
      sums.s[k] += power;
      if (k < 3) sums.ty[k] += power * v;
    }
    sums.yy += v * v;
  }
  Sums whole = fitted;
  whole += tail;

  const Parabola straight = fitted.Line(centre), curve = fitted.Curve(centre);
  double lineMiss = 0, curveMiss = 0;
  for (int i = fitEnd + 1; i <= to; ++i) {
    lineMiss += (y(i) - straight(i)) * (y(i) - straight(i));
    curveMiss += (y(i) - curve(i)) * (y(i) - curve(i));
  }
  const double count = held;
  const double lineRms = std::sqrt(lineMiss / count), curveRms = std::sqrt(curveMiss / count);
  const double fitRms = std::sqrt(fitted.Left(curve) / fitted.s[0]);
  const Parabola wholeCurve = whole.Curve(centre);
  const bool carriesOn = lineRms > level && curveRms < std::max(level, 2 * fitRms) && curveMiss < 0.25 * lineMiss &&
                         whole.Left(wholeCurve) < 0.5 * whole.Left(whole.Line(centre));
  if (!carriesOn) return std::nullopt;
  return wholeCurve;
}

}  // namespace tarnix::picker
