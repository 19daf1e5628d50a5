#include "render/wave_train.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

#include "render/nice_step.h"
#include "analysis/main_frequency.h"

namespace tarnix {
namespace {

constexpr int kZero = 2048;
// A typical trace (the section's median peak, 100 units) reaches this share of
// its row at gain 1.
constexpr float kTypicalPeakShare = 0.8f;
// Spectra rise to this share of the row at gain 1.
constexpr float kSpectrumShare = 0.9f;
constexpr uint32_t kWhite = 0xffffffffu;
constexpr uint32_t kBlack = 0xff000000u;
constexpr uint32_t kRed = 0xffff0000u;
constexpr uint32_t kPanelBackground = 0xfffcfcf4u;
// Doubtful and poor automatic picks stand out from good ones on the white
// train, the light panel and the dark end of the grey scale alike.
constexpr uint32_t kDoubtfulPick = 0xffff8c00u;  // orange
constexpr uint32_t kPoorPick = 0xffe000e0u;      // magenta

uint32_t ToArgb(uint32_t rgb) {
  // Stored colours keep red in the lowest byte.
  return 0xff000000u | ((rgb & 0xffu) << 16) | (rgb & 0xff00u) | ((rgb >> 16) & 0xffu);
}

QColor ToQColor(uint32_t rgb) { return QColor::fromRgb(ToArgb(rgb)); }

uint32_t Grey(int level) {
  const uint32_t g = static_cast<uint32_t>(std::clamp(level, 0, 255));
  return 0xff000000u | (g << 16) | (g << 8) | g;
}

// Floor without a library call: the train rounds millions of coordinates.
inline int FloorInt(double v) {
  const int i = static_cast<int>(v);
  return i - (v < i);
}

// Rounds to the nearest pixel; the offset keeps the truncation a floor for
// everything a pane can show.
inline int Px(float v) { return static_cast<int>(static_cast<double>(v) + 1048576.5) - 1048576; }

// Direct pixel access with a clip rectangle: the wave train is thousands of
// short vertical spans, far cheaper written straight into the image than
// stroked through a painter.
class Canvas {
 public:
  Canvas(QImage& image, const QRect& clip)
      : bits_(reinterpret_cast<uint32_t*>(image.bits())),
        stride_(static_cast<int>(image.bytesPerLine() / 4)),
        clip_(clip.intersected(image.rect())) {}

  const QRect& Clip() const { return clip_; }

  void VSpan(int x, int y0, int y1, uint32_t c) {
    if (x < clip_.left() || x > clip_.right()) return;
    if (y0 > y1) std::swap(y0, y1);
    y0 = std::max(y0, clip_.top());
    y1 = std::min(y1, clip_.bottom());
    // A local stride: the pixel stores could otherwise alias the member.
    const ptrdiff_t stride = stride_;
    uint32_t* p = bits_ + y0 * stride + x;
    for (int y = y0; y <= y1; ++y, p += stride) *p = c;
  }

  // Start of scanline y; y must lie inside the clip.
  uint32_t* Line(int y) { return bits_ + static_cast<ptrdiff_t>(y) * stride_; }

  // A column inside the clip's width, y0 <= y1.
  void Column(int x, int y0, int y1, uint32_t c) {
    y0 = std::max(y0, clip_.top());
    y1 = std::min(y1, clip_.bottom());
    const ptrdiff_t stride = stride_;
    uint32_t* p = bits_ + y0 * stride + x;
    for (int y = y0; y <= y1; ++y, p += stride) *p = c;
  }

  void HSpan(int y, int x0, int x1, uint32_t c) {
    if (y < clip_.top() || y > clip_.bottom()) return;
    if (x0 > x1) std::swap(x0, x1);
    x0 = std::max(x0, clip_.left());
    x1 = std::min(x1, clip_.right());
    if (x0 > x1) return;
    std::fill(bits_ + static_cast<ptrdiff_t>(y) * stride_ + x0, bits_ + static_cast<ptrdiff_t>(y) * stride_ + x1 + 1,
              c);
  }

  void FillRect(const QRect& r, uint32_t c) {
    const QRect f = r.intersected(clip_);
    for (int y = f.top(); y <= f.bottom(); ++y) HSpan(y, f.left(), f.right(), c);
  }

 private:
  uint32_t* bits_;
  int stride_;
  QRect clip_;
};

// Walks the polyline through (x0 + k * dx, y[k]) for k = first..last and
// reports every pixel column it covers once, with the lowest and highest y the
// line takes inside that column: with more samples than pixels this is the
// min/max decimation, with fewer it is the line itself. Columns outside
// [colMin, colMax] are skipped.
template <class Span>
void TraceColumns(const float* y, int first, int last, double x0, double dx, int colMin, int colMax, Span&& span) {
  if (first > last || dx <= 0) return;
  if (dx == 1.0 && x0 == std::floor(x0)) {
    // One pixel per sample, the usual case when the samples do not fit: each
    // column joins its sample to the next one.
    const int c0 = static_cast<int>(x0);
    const int from = std::max(first, colMin - c0);
    const int to = std::min(last, colMax - c0);
    for (int k = from; k <= to; ++k) {
      const float a = y[k], b = k < last ? y[k + 1] : a;
      span(c0 + k, std::min(a, b), std::max(a, b));
    }
    return;
  }
  int cur = INT_MIN;
  float lo = 0, hi = 0;
  auto add = [&](int c, float a, float b) {
    const float mn = std::min(a, b), mx = std::max(a, b);
    if (c != cur) {
      if (cur >= colMin && cur <= colMax) span(cur, lo, hi);
      cur = c;
      lo = mn;
      hi = mx;
    } else {
      lo = std::min(lo, mn);
      hi = std::max(hi, mx);
    }
  };
  for (int k = first; k < last; ++k) {
    const double xa = x0 + k * dx;
    const double xb = xa + dx;
    const int ca = FloorInt(xa);
    const int cb = std::max(ca, -FloorInt(-xb) - 1);
    if (cb < colMin || ca > colMax) continue;
    const float ya = y[k], yb = y[k + 1];
    if (ca == cb) {
      add(ca, ya, yb);
      continue;
    }
    const double slope = (yb - ya) / dx;
    for (int c = std::max(ca, colMin - 1); c <= std::min(cb, colMax + 1); ++c) {
      const double t0 = std::max<double>(c, xa) - xa;
      const double t1 = std::min<double>(c + 1, xb) - xa;
      add(c, static_cast<float>(ya + t0 * slope), static_cast<float>(ya + t1 * slope));
    }
  }
  add(FloorInt(x0 + last * dx), y[last], y[last]);
  if (cur >= colMin && cur <= colMax) span(cur, lo, hi);
}

// Everything the rows of one repaint share.
struct TrainScale {
  double unitsPerCount = 0;  // a(k) per count at gain 1, before the point's gain
  float pxPerUnit = 0;
  float limit = 0;  // largest excursion from the baseline, pixels
};

TrainScale MakeScale(const SectionRecord& s, const DisplaySettings& d, float rowHeight) {
  TrainScale t;
  t.unitsPerCount = 100.0 / AmplitudeReference(s) * std::max(d.waveGain, 1) * std::max(d.valueGain, 1);
  t.pxPerUnit = rowHeight * kTypicalPeakShare / 100.0f;
  t.limit = rowHeight * std::max(d.intervalGain, 1);
  return t;
}

// Visible samples of a trace of n samples.
void VisibleSamples(const WaveLayout& l, int n, double stride, int& first, int& last) {
  first = std::max(0, static_cast<int>(std::floor((l.hScroll) / stride)) - 1);
  last = std::min(n - 1, static_cast<int>(std::ceil((l.areaRight - l.leftMargin + l.hScroll) / stride)) + 1);
}

class TrainPainter {
 public:
  TrainPainter(QImage& image, const WaveLayout& l, const WavePaneContent& c)
      : image_(image), l_(l), s_(*c.section), d_(*c.display), current_(c.currentPoint),
        spectra_(c.spectra != nullptr ? c.spectra : &ownSpectra_) {
    scale_ = MakeScale(s_, d_, l_.rowHeight);
    if (d_.trainMode == 4) {
      const int gain = std::max(d_.waveGain, 1) * std::max(d_.valueGain, 1);
      for (int s = 0; s < 4096; ++s) greyLut_[s] = Grey(GreyLevel(s, d_.greyMin, d_.greyMax, d_.phase, gain));
    }
  }

  void Band(const WaveLayout::Band& band) {
    if (band.viewBottom <= band.viewTop) return;
    const QRect clip(l_.leftMargin, band.screenOrigin + band.viewTop, l_.areaRight - l_.leftMargin,
                     band.viewBottom - band.viewTop);
    if (clip.isEmpty()) return;
    Canvas canvas(image_, clip);
    const float rh = l_.rowHeight;
    const float reach = d_.showWaveforms ? scale_.limit + 1 : rh * (std::max(d_.intervalGain, 1) + 1);
    int rowFirst = static_cast<int>(std::floor((band.viewTop - reach + l_.vScroll - kTrainMargin) / rh)) - 1;
    int rowLast = static_cast<int>(std::ceil((band.viewBottom + reach + l_.vScroll - kTrainMargin) / rh)) + 1;
    rowFirst = std::max(rowFirst, 0);
    rowLast = std::min(rowLast, l_.rowCount - 1);
    timeCurve_.clear();
    ampCurve_.clear();
    for (int row = rowFirst; row <= rowLast; ++row) {
      const int index = l_.PointOfRow(row);
      const CSamNode& p = s_.points[index];
      if (!p.HasWaveform()) continue;
      const float baseline = band.screenOrigin + l_.RowBaselineView(row);
      if (d_.showWaveforms) {
        Trace(canvas, p, baseline, index == current_);
        Markers(canvas, p, baseline);
      } else {
        Spectrum(canvas, index, baseline, index == current_);
      }
    }
    if (d_.showWaveforms) Curves(clip);
  }

  void Panel() {
    if (l_.panelHeight <= 0) return;
    const QRect r = l_.PanelRect();
    Canvas back(image_, r);
    back.FillRect(r, kPanelBackground);
    const QRect inner(l_.leftMargin, r.top() + 1, l_.areaRight - l_.leftMargin, r.height() - 2);
    Canvas canvas(image_, inner);
    const float baseline = r.top() + r.height() * 0.5f;
    canvas.HSpan(Px(baseline), inner.left(), inner.right(), Grey(200));
    const CSamNode* p = s_.PointAt(current_);
    if (p == nullptr || !p->HasWaveform()) return;
    if (!d_.showWaveforms) {
      PanelSpectrum(canvas, current_, inner);
      return;
    }
    const float half = r.height() * 0.5f - 2;
    TrainScale panel = scale_;
    panel.pxPerUnit = half * 0.8f / 100.0f;
    panel.limit = half;
    const int n = static_cast<int>(p->samples.size());
    int first, last;
    VisibleSamples(l_, n, l_.pixelsPerSample, first, last);
    const double f = panel.unitsPerCount / PointGain(*p) * d_.phase * panel.pxPerUnit;
    Fill(*p, first, last, [&](int s) { return baseline - Clamp((s - kZero) * f, panel.limit); });
    TraceColumns(ys_.data(), first, last, l_.SampleX(0), l_.pixelsPerSample, inner.left(), inner.right(),
                 [&](int c, float lo, float hi) { canvas.VSpan(c, Px(lo), Px(hi), kBlack); });
    const int xa = Px(l_.SampleX(PickIndex(p->arrivalIndex, n)));
    const int xm = Px(l_.SampleX(PickIndex(p->ampIndex, n)));
    canvas.VSpan(xm, inner.top(), inner.bottom(), ToArgb(d_.colours[kAmpCurveColour]));
    canvas.VSpan(xa, inner.top(), inner.bottom(), PickInk(*p));
  }

 private:
  static float PointGain(const CSamNode& p) { return p.gain > 0.0f ? p.gain : 1.0f; }
  uint32_t PickInk(const CSamNode& p) const {
    switch (p.pickQuality) {
      case PickQuality::Doubtful:
        return kDoubtfulPick;
      case PickQuality::Poor:
        return kPoorPick;
      default:
        return ToArgb(d_.colours[kPickColour]);
    }
  }
  // A pick drawn where it lies, not below 0; one beyond the record (from a
  // damaged file) at its end.
  static int PickIndex(int index, int n) { return std::clamp(index, 0, std::max(n - 1, 0)); }
  static float Clamp(double v, float limit) { return static_cast<float>(std::clamp<double>(v, -limit, limit)); }

  template <class F>
  void Fill(const CSamNode& p, int first, int last, F&& y) {
    if (static_cast<int>(ys_.size()) < last + 1) ys_.resize(last + 1);
    for (int k = first; k <= last; ++k) ys_[k] = y(p.samples[k]);
  }

  void Trace(Canvas& canvas, const CSamNode& p, float baseline, bool current) {
    const int n = static_cast<int>(p.samples.size());
    int first, last;
    VisibleSamples(l_, n, l_.pixelsPerSample, first, last);
    if (first > last) return;
    const double x0 = l_.SampleX(0);
    const double pps = l_.pixelsPerSample;
    const int colMin = canvas.Clip().left(), colMax = canvas.Clip().right();
    const uint32_t ink = current ? kRed : kBlack;
    // One pixel per sample is the usual case of a full train (the samples do
    // not fit); every column then belongs to one sample and its successor.
    const bool unit = pps == 1.0 && x0 == std::floor(x0);
    const int c0 = static_cast<int>(x0);
    const int from = std::max(first, colMin - c0);
    const int to = std::min(last, colMax - c0);
    // Pixels per count, and the threshold in pixels.
    const float f = static_cast<float>(scale_.unitsPerCount / PointGain(p) * scale_.pxPerUnit);
    const float thr = d_.positiveThreshold * scale_.pxPerUnit;
    const float phase = static_cast<float>(d_.phase);
    const float limit = scale_.limit;
    if (static_cast<int>(rows_.size()) < last + 1) rows_.resize(last + 1);
    switch (d_.trainMode) {
      case 2: {  // "正相": positive stretches filled from the baseline
        Fill(p, first, last, [&](int s) { return baseline - std::clamp(((s - kZero) * f - thr) * phase, 0.0f, limit); });
        const int base = Px(baseline);
        if (!unit) {
          TraceColumns(ys_.data(), first, last, x0, pps, colMin, colMax, [&](int c, float lo, float) {
            if (lo < baseline - 0.5f) canvas.VSpan(c, Px(lo), base, ink);
          });
          break;
        }
        for (int k = first; k <= last; ++k) rows_[k] = Px(ys_[k]);
        for (int k = from; k <= to; ++k) {
          const int top = std::min(rows_[k], k < last ? rows_[k + 1] : rows_[k]);
          if (top < base) canvas.Column(c0 + k, top, base, ink);
        }
        break;
      }
      case 3: {  // "线段": positive stretches as segments shaded by amplitude
        Fill(p, first, last, [&](int s) {
          const float e = ((s - kZero) * f - thr) * phase;
          return e < 0 ? -1.0f : std::min(e, limit);
        });
        for (int k = std::max(first, unit ? from : first); k < std::min(last, unit ? to + 1 : last); ++k) {
          const float ea = ys_[k], eb = ys_[k + 1];
          if (ea < 0 || eb < 0) continue;
          const float share = limit > 0 ? (ea + eb) * 0.5f / limit : 1.0f;
          const uint32_t c = current ? kRed : Grey(static_cast<int>(200 * (1.0f - std::min(share, 1.0f))));
          if (unit) {
            const int a = Px(baseline - ea), b = Px(baseline - eb);
            canvas.Column(c0 + k, std::min(a, b), std::max(a, b), c);
            continue;
          }
          const float seg[2] = {baseline - ea, baseline - eb};
          TraceColumns(seg, 0, 1, x0 + k * pps, pps, colMin, colMax,
                       [&](int col, float lo, float hi) { canvas.VSpan(col, Px(lo), Px(hi), c); });
        }
        break;
      }
      case 4: {  // "灰度": one strip of its own grey per sample
        const int top = std::max(Px(baseline - l_.rowHeight * 0.5f), canvas.Clip().top());
        // Down to the next row's first scanline, which that row paints over: two
        // rows' edges rounded apart can never leave a white line between them.
        const int bottom = std::min(std::max(Px(baseline - l_.rowHeight * 0.5f), Px(baseline + l_.rowHeight * 0.5f)),
                                    canvas.Clip().bottom());
        if (top > bottom) break;
        auto colour = [&](int k) { return greyLut_[std::min<int>(p.samples[k], 4095)]; };
        if (unit) {
          // One scanline of the strip, copied into the others.
          if (from > to) break;
          uint32_t* line = canvas.Line(top) + c0;
          for (int k = from; k <= to; ++k) line[k] = colour(k);
          for (int y = top + 1; y <= bottom; ++y) {
            std::copy(line + from, line + to + 1, canvas.Line(y) + c0 + from);
          }
          break;
        }
        for (int k = first; k <= last; ++k) {
          const uint32_t c = colour(k);
          const int xa = FloorInt(x0 + k * pps);
          const int xb = std::max(xa, FloorInt(x0 + (k + 1) * pps) - 1);
          for (int x = std::max(xa, colMin); x <= std::min(xb, colMax); ++x) canvas.Column(x, top, bottom, c);
        }
        break;
      }
      default: {  // "曲线": one line through every sample
        const float g = f * phase;
        if (!unit) {
          Fill(p, first, last, [&](int s) { return baseline - std::clamp((s - kZero) * g, -limit, limit); });
          TraceColumns(ys_.data(), first, last, x0, pps, colMin, colMax,
                       [&](int c, float lo, float hi) { canvas.VSpan(c, Px(lo), Px(hi), ink); });
          break;
        }
        for (int k = first; k <= last; ++k) rows_[k] = Px(baseline - std::clamp((p.samples[k] - kZero) * g, -limit, limit));
        // Flat stretches (quiet samples, thin rows) go along the scanline in
        // one run; the rest column by column.
        int runStart = from, runRow = INT_MIN;
        for (int k = from; k <= to; ++k) {
          const int a = rows_[k], b = k < last ? rows_[k + 1] : a;
          if (a == b && a == runRow) continue;
          if (runRow != INT_MIN) canvas.HSpan(runRow, c0 + runStart, c0 + k - 1, ink);
          runRow = INT_MIN;
          if (a == b) {
            runRow = a;
            runStart = k;
          } else {
            canvas.Column(c0 + k, std::min(a, b), std::max(a, b), ink);
          }
        }
        if (runRow != INT_MIN) canvas.HSpan(runRow, c0 + runStart, c0 + to, ink);
        break;
      }
    }
  }

  void Markers(Canvas& canvas, const CSamNode& p, float baseline) {
    const int n = static_cast<int>(p.samples.size());
    const float xa = l_.SampleX(PickIndex(p.arrivalIndex, n));
    const float xm = l_.SampleX(PickIndex(p.ampIndex, n));
    const int reach = std::clamp(Px(l_.rowHeight * 0.45f), 0, 6);
    const int y = Px(baseline);
    canvas.VSpan(Px(xm), y - reach, y + reach, ToArgb(d_.colours[kAmpCurveColour]));
    canvas.VSpan(Px(xa), y - reach, y + reach, PickInk(p));
    timeCurve_.append(QPointF(xa + 0.5, baseline));
    ampCurve_.append(QPointF(xm + 0.5, baseline));
  }

  void Curves(const QRect& clip) {
    if (!(d_.showTimeCurve || d_.showAmpCurve)) return;
    // Aliased: an anti-aliased stroke of a thousand-point curve costs more
    // than the whole train.
    QPainter painter(&image_);
    painter.setClipRect(clip);
    if (d_.showAmpCurve && ampCurve_.size() > 1) {
      painter.setPen(QPen(ToQColor(d_.colours[kAmpCurveColour]), 0));
      painter.drawPolyline(ampCurve_);
    }
    if (d_.showTimeCurve && timeCurve_.size() > 1) {
      painter.setPen(QPen(ToQColor(d_.colours[kTimeCurveColour]), 0));
      painter.drawPolyline(timeCurve_);
    }
  }

  void SpectrumCurve(Canvas& canvas, int index, float bottom, float height, bool current) {
    int peak = 0;
    const float* spectrum = spectra_->Get(s_, index, peak);
    const int freqIndex = s_.points[index].freqIndex;
    const int chosen = freqIndex >= 0 && freqIndex < kFrequencyBins ? freqIndex : peak;
    const double binWidth = static_cast<double>(std::max(d_.spectrumRefine, 1)) * l_.pixelsPerSample;
    float ys[kFrequencyBins];
    for (int b = 0; b < kFrequencyBins; ++b) {
      ys[b] = bottom - std::min(spectrum[b] / kSpectrumPeak * height, height * 1.0f);
    }
    int first, last;
    VisibleSamples(l_, kFrequencyBins, binWidth, first, last);
    const uint32_t ink = current ? kRed : kBlack;
    TraceColumns(ys, first, last, l_.SampleX(0), binWidth, canvas.Clip().left(), canvas.Clip().right(),
                 [&](int c, float lo, float hi) { canvas.VSpan(c, Px(lo), Px(hi), ink); });
    // The chosen bin: a stroke five pixels above and below the curve.
    const int x = Px(l_.SampleX(0) + chosen * binWidth);
    const int y = Px(ys[chosen]);
    canvas.VSpan(x, y - 5, y + 5, ToArgb(d_.colours[kPickColour]));
  }

  void Spectrum(Canvas& canvas, int index, float baseline, bool current) {
    const float bottom = baseline + l_.rowHeight * 0.5f - 1;
    const float height =
        std::min(l_.rowHeight * kSpectrumShare * std::max(d_.waveGain, 1), l_.rowHeight * std::max(d_.intervalGain, 1));
    SpectrumCurve(canvas, index, bottom, height, current);
  }

  void PanelSpectrum(Canvas& canvas, int index, const QRect& inner) {
    SpectrumCurve(canvas, index, static_cast<float>(inner.bottom() - 2), inner.height() * 0.85f, false);
  }

  QImage& image_;
  const WaveLayout& l_;
  const SectionRecord& s_;
  const DisplaySettings& d_;
  int current_;
  FrequencyCache ownSpectra_;  // for a pane that keeps none
  FrequencyCache* spectra_;
  TrainScale scale_;
  std::vector<float> ys_;
  std::vector<int> rows_;
  std::array<uint32_t, 4096> greyLut_{};
  QPolygonF timeCurve_;
  QPolygonF ampCurve_;
};

// Time (or frequency) scale in the lower half of the header strip.
void DrawRuler(QPainter& painter, const WaveLayout& l, const SectionRecord& s, const DisplaySettings& d) {
  const int y = l.headerHeight - 1;
  const int right = l.areaRight - 1;
  painter.setPen(QColor(96, 96, 96));
  painter.drawLine(l.leftMargin, y, right, y);
  const double dt = s.dT > 0 ? s.dT : 1.0;
  // Pixels per unit of the scale: µs for waveforms, kHz for spectra.
  double pxPerUnit;
  double origin;
  if (d.showWaveforms) {
    pxPerUnit = l.pixelsPerSample / dt;
    origin = s.delay;
  } else {
    const double binKHz = 500.0 / dt / 255.0;
    pxPerUnit = std::max(d.spectrumRefine, 1) * l.pixelsPerSample / binKHz;
    origin = 0;
  }
  if (!(pxPerUnit > 0)) return;
  const double step = NiceStep(70.0 / pxPerUnit);
  QFont font("Times New Roman");
  font.setPixelSize(std::clamp(l.headerHeight / 4, 8, 14));
  painter.setFont(font);
  const double first = std::ceil((origin + l.hScroll / pxPerUnit) / step) * step;
  const int tick = std::max(3, l.headerHeight / 10);
  for (double v = first;; v += step) {
    const double x = l.leftMargin + (v - origin) * pxPerUnit - l.hScroll;
    if (x > right) break;
    const int xi = static_cast<int>(std::floor(x));
    painter.drawLine(xi, y - tick, xi, y);
    painter.drawText(xi + 2, y - 2, QString::number(v, 'g', 6));
    for (int minor = 1; minor < 5; ++minor) {
      const int xm = static_cast<int>(std::floor(x + minor * step * pxPerUnit / 5));
      if (xm <= right) painter.drawLine(xm, y - tick / 2, xm, y);
    }
  }
}

// Upper and lower slider of the evaluated range, at the left edge.
void DrawHandles(QPainter& painter, const WaveLayout& l, const SectionRecord& s) {
  const int ends[2] = {s.lastIndex, s.firstIndex};
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(QRect(0, l.areaTop, l.leftMargin, l.areaBottom - l.areaTop));
  for (int index : ends) {
    if (index < 0 || index >= l.rowCount) continue;
    float y;
    if (!l.RowBaseline(l.RowOfPoint(index), y)) continue;
    const QRect r = l.HandleRect(static_cast<int>(std::floor(y)));
    const int tip = r.right();
    const int body = std::max(r.left() + 1, tip - r.height() / 2);
    const QPolygon shape({QPoint(r.left() + 1, r.top()), QPoint(body, r.top()), QPoint(tip, r.center().y()),
                          QPoint(body, r.bottom()), QPoint(r.left() + 1, r.bottom())});
    painter.setPen(QColor(0, 0, 96));
    painter.setBrush(QColor(40, 80, 200));
    painter.drawPolygon(shape);
  }
}

}  // namespace

int WaveLayout::MaxHScroll() const { return std::max(0, contentWidth - areaRight); }

int WaveLayout::MaxVScroll() const { return std::max(0, contentHeight - trainViewHeight); }

int WaveLayout::RowAt(int y) const {
  if (y < areaTop || y >= areaBottom || InPanel(y) || !(rowHeight > 0)) return -1;
  const int yView = y < PanelTop() ? y - areaTop : y - areaTop - panelHeight;
  const double content = static_cast<double>(yView) + vScroll - kTrainMargin;
  if (content < 0) return -1;
  const int row = static_cast<int>(content / rowHeight);
  return row < rowCount ? row : -1;
}

bool WaveLayout::RowBaseline(int row, float& y) const {
  if (row < 0 || row >= rowCount) return false;
  const float v = RowBaselineView(row);
  if (v < 0 || v >= trainViewHeight) return false;
  y = ViewToScreen(v);
  return true;
}

double AmplitudeReference(const SectionRecord& section) {
  // A median needs no more than a few hundred points spread over the hole.
  const size_t count = section.points.size();
  const size_t stride = std::max<size_t>(1, count / 256);
  std::vector<double> peaks;
  peaks.reserve(count / stride + 1);
  for (size_t i = 0; i < count; i += stride) {
    const CSamNode& p = section.points[i];
    if (!p.HasWaveform()) continue;
    // Samples are 12-bit, so signed 16-bit lanes hold them.
    int16_t lo = INT16_MAX, hi = INT16_MIN;
    for (uint16_t s : p.samples) {
      lo = std::min(lo, static_cast<int16_t>(s));
      hi = std::max(hi, static_cast<int16_t>(s));
    }
    const int peak = std::max(hi - kZero, kZero - lo);
    const float gain = p.gain > 0.0f ? p.gain : 1.0f;
    if (peak > 0) peaks.push_back(peak / gain);
  }
  if (peaks.empty()) return kZero;
  auto mid = peaks.begin() + static_cast<ptrdiff_t>(peaks.size() / 2);
  std::nth_element(peaks.begin(), mid, peaks.end());
  return *mid;
}

int GreyLevel(int sample, int greyMin, int greyMax, int phase, int gain) {
  const int s = std::clamp(kZero + (sample - kZero) * std::max(gain, 1), 0, 4095);
  const int v = phase < 0 ? 4096 - s : s;
  return std::clamp(greyMin + (greyMax - greyMin) * v / 4096, 0, 255);
}

void RenderWavePane(QImage& image, const WaveLayout& l, const WavePaneContent& c) {
  if (image.size() != QSize(l.width, l.height) || image.format() != QImage::Format_RGB32) {
    image = QImage(std::max(l.width, 1), std::max(l.height, 1), QImage::Format_RGB32);
  }
  // A plain fill: QImage::fill hands large images to worker threads, which
  // costs more in wake-ups than the fill itself.
  std::fill_n(reinterpret_cast<uint32_t*>(image.bits()), image.sizeInBytes() / 4, kWhite);
  if (c.section == nullptr || c.display == nullptr || !c.section->valid || c.section->points.empty()) return;
  if (l.rowCount != c.section->PointCount()) return;
  {
    TrainPainter train(image, l, c);
    train.Band(l.UpperBand());
    train.Band(l.LowerBand());
    train.Panel();
  }
  QPainter painter(&image);
  if (l.panelHeight > 0) {
    painter.setPen(QColor(150, 150, 150));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(l.PanelRect().adjusted(0, 0, -1, -1));
  }
  DrawRuler(painter, l, *c.section, *c.display);
  DrawHandles(painter, l, *c.section);
}

QStringList ReadoutTexts(const Readout& r) {
  // The floor value of an empty row reads as 10 µV.
  const QString a = r.a >= 1e-11 && r.a <= 1e-9 ? QString::asprintf("A: %.2fuv", 10.0)
                                                 : QString::asprintf("A: %.2fmv", r.a);
  return {QString::asprintf("Amp: %d", r.amp), QString::asprintf("Vp: %.3fkm/s", r.vp),
          QString::asprintf("H: %.2fm", r.h), QString::asprintf("T: %.1fus", r.t), a};
}

QImage RenderReadout(const Readout& r, int stripWidth, int headerHeight, int paneWidth) {
  QImage image(std::max(stripWidth, 1), std::max(headerHeight / 2, 1), QImage::Format_RGB32);
  image.fill(kWhite);
  QPainter painter(&image);
  // The height is the text's whole cell, ascent and descent together.
  const int cell = std::max(1, static_cast<int>(0.012 * stripWidth));
  QFont font("Times New Roman");
  font.setPixelSize(cell);
  font.setWeight(QFont::Normal);
  const int measured = QFontMetrics(font).height();
  if (measured > cell) font.setPixelSize(std::max(1, cell * cell / measured));
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QStringList texts = ReadoutTexts(r);
  const int y = static_cast<int>(headerHeight / 2.6);
  const QFontMetrics metrics(painter.font());
  const int last = static_cast<int>(texts.size()) - 1;
  const bool fits = last < 0 || kReadoutOffsets[last] * stripWidth + metrics.horizontalAdvance(texts[last]) <= paneWidth;
  if (fits) {
    for (int i = 0; i < texts.size(); ++i) {
      painter.drawText(static_cast<int>(kReadoutOffsets[i] * stripWidth), y, texts[i]);
    }
    return image;
  }
  const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
  const int lineHeight = metrics.height();
  int x = 0, line = std::max(metrics.ascent(), y - lineHeight / 2);
  for (const QString& text : texts) {
    const int w = metrics.horizontalAdvance(text);
    if (x > 0 && x + w > paneWidth) {
      x = 0;
      line += lineHeight;
    }
    painter.drawText(x, line, text);
    x += w + gap;
  }
  return image;
}

}  // namespace tarnix
