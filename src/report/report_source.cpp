#include "report/report_source.h"

#include <algorithm>

#include "render/legend_bitmap.h"

namespace tarnix {

ReportSource::ReportSource(const CTarnixDoc& doc)
    : header(doc.Header()), layers(doc.Layers()), setup(doc.pageSetup), display(doc.display) {
  section = doc.ChannelSection(0);
  secondSection = doc.ChannelSection(1);
  const Receivers pair = doc.CurrentReceivers();
  series = VpSeries(pair);
  curve.TakeSettings(doc.display, series);
  curve.samplingStep = doc.samplingStep;
  if (pair.first != nullptr) curve.critical = pair.first->criticalV;
}

int ReportSource::PenWidth(int printed) const {
  if (bitmapReduction <= 0) return std::max(printed, 1);
  return std::max(printed / 3, 1) * bitmapReduction;
}

HoleExtent ReportSource::Extent() const {
  HoleExtent e;
  e.depth = header.pileLen;
  e.ruler = layers.m_ruler;
  e.move = header.move;
  if (section != nullptr && !section->points.empty()) {
    e.pointCount = section->PointCount();
    e.firstPointDepth = section->points.front().sourL;
    e.lastPointDepth = section->points.back().sourL;
  }
  return e;
}

const QImage& ReportSource::Legend(const std::string& picName) const {
  auto it = legends_.find(picName);
  if (it == legends_.end()) it = legends_.emplace(picName, LoadLegend(picName)).first;
  return it->second;
}

}  // namespace tarnix
