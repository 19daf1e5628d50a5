#pragma once
// What a report drawing reads of the document, taken once per drawing: the
// header, the layers, the page settings, the Vp series with the curve settings
// of the analysis pane, the section of the wave-train pages, and the legends
// loaded once for all their tiles.
#include <QImage>
#include <map>
#include <string>

#include "document/tarnix_doc.h"
#include "render/draw_ana_curve.h"
#include "report/report_pagination.h"

namespace tarnix {

class ReportSource {
 public:
  explicit ReportSource(const CTarnixDoc& doc);

  const TestHeader& header;
  const LayerSet& layers;
  const PageSetup& setup;
  const DisplaySettings& display;
  const SectionRecord* section = nullptr;  // the current section (channel 1), or none
  const SectionRecord* secondSection = nullptr;  // channel 2, or none
  CurveSeries series;
  CDrawAnaCurve curve;

  // Non-zero while a page is drawn into a bitmap at 1/bitmapReduction of its
  // size: the pens are then a third of their printed width in bitmap pixels.
  int bitmapReduction = 0;
  int BorderWidth() const { return PenWidth(setup.borderWidth); }
  int GridWidth() const { return PenWidth(setup.gridWidth); }

  float HoleDepth() const { return header.pileLen; }
  HoleExtent Extent() const;
  // The legend of a lithology; a null image leaves its cells empty.
  const QImage& Legend(const std::string& picName) const;

 private:
  int PenWidth(int printed) const;

  mutable std::map<std::string, QImage> legends_;
};

}  // namespace tarnix
