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
  void Add(double t, double v) {
    double power = 1;
    for (int k = 0; k < 5; ++k, power *= t) {
      s[k] += power;
      if (k < 3) ty[k] += power * v;
    }
    yy += v * v;
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
  Sums fitted, whole;
  for (int i = from; i <= fitEnd; ++i) fitted.Add(i - centre, y(i));
  whole = fitted;
  for (int i = fitEnd + 1; i <= to; ++i) whole.Add(i - centre, y(i));

  const Parabola straight = fitted.Line(centre), curve = fitted.Curve(centre);
  double lineMiss = 0, curveMiss = 0;
  for (int i = fitEnd + 1; i <= to; ++i) {
    const double v = y(i);
    lineMiss += (v - straight(i)) * (v - straight(i));
    curveMiss += (v - curve(i)) * (v - curve(i));
  }
  const double lineRms = std::sqrt(lineMiss / held), curveRms = std::sqrt(curveMiss / held);
  const double fitRms = std::sqrt(fitted.Left(curve) / fitted.s[0]);
  const Parabola wholeCurve = whole.Curve(centre);
  const bool carriesOn = lineRms > level && curveRms < std::max(level, 2 * fitRms) && curveMiss < 0.25 * lineMiss &&
                         whole.Left(wholeCurve) < 0.5 * whole.Left(whole.Line(centre));
  if (!carriesOn) return std::nullopt;
  return wholeCurve;
}

}  // namespace tarnix::picker
