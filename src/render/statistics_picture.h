#pragma once
// The statistics panel of the analysis information bar, drawn as the bitmap
// pictures are: a frame headed "PileID:", the sections in blocks of G columns
// with the 24 statistics rows, and the two summary lines under the blocks.
#include <QImage>
#include <QRect>

#include "document/tarnix_doc.h"

namespace tarnix {

struct StatisticsPictureLayout {
  int perBlock = 3;  // G: value columns per block
  int blocks = 1;    // B
  QRect frame;       // the whole panel

  int BlockWidth() const { return 54 * perBlock + 72; }
  QRect Block(int j) const;
  // Value column k (0-based) of block j.
  QRect ValueColumn(int j, int k) const;
  // Top of row r (0..23): four groups of six, 6.5 rows apart.
  int RowTop(int r) const;
  QSize ImageSize() const { return {frame.right() + 6, frame.bottom() + 6}; }
};

// sectionsPerBlock comes from the settings file: out-of-range values fall back
// to the default rather than making a panel of zero or thousands of columns.
StatisticsPictureLayout LayoutStatisticsPicture(int sectionCount, int sectionsPerBlock);

// The panel of the document's sections in use, black on white, each column
// headed with its pipe pair.
QImage DrawStatisticsPicture(const CTarnixDoc& doc);

}  // namespace tarnix
