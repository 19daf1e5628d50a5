#include "formats/page_setup_archive.h"

namespace tarnix {
namespace {

// One field list for both directions, so the order cannot drift apart.
template <typename Archive, typename Setup>
void Fields(Archive& a, Setup& p) {
  a.Int(p.curveEnable);
  a.Int(p.curveType);
  a.Int(p.curveParameter);
  a.Int(p.borderWidth);
  a.Int(p.gridWidth);
  a.Int(p.topMargin);
  a.Int(p.leftMargin);
  a.Int(p.bottomMargin);
  a.Int(p.rightMargin);
  a.Int(p.gutter);
  a.Int(p.gutterPosition);
  a.Int(p.printReportPages);
  a.Int(p.printWaveTrainPages);
  a.Int(p.printCurvePages);
  a.Int(p.waveTrainPaging);
  a.Int(p.sectionsPerPage);
  a.Text(p.instrumentModel);
  a.Int(p.printPageNumbers);
  a.Int(p.pageNumberPosition);
  a.Int(p.firstPageNumber);
  a.Int(p.pageNumberFormat);
  a.Int(p.printHeader);
  a.Int(p.headerHeight);
  a.Int(p.headerPosition);
  a.Int(p.headerFont);
  a.Text(p.headerText);
  a.Int(p.printFooter);
  a.Int(p.footerHeight);
  a.Int(p.footerPosition);
  a.Int(p.footerFont);
  a.Text(p.footerText);
  a.Int(p.instrumentNumber);
  a.Int(p.headerBlockFormat);
}

}  // namespace

void WritePageSetup(ArchiveWriter& out, const PageSetup& p) {
  ArchiveSaver s{out};
  Fields(s, p);
}

PageSetup ReadPageSetup(ArchiveReader& in) {
  PageSetup p;
  ArchiveLoader l{in};
  Fields(l, p);
  return p;
}

}  // namespace tarnix
