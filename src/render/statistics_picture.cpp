#include "render/statistics_picture.h"

#include <algorithm>

#include "analysis/section_statistics.h"
#include "render/interface_fonts.h"
#include "render/mono_image.h"

namespace tarnix {
namespace {

constexpr int kFrameTop = 5;
constexpr int kFrameBottom = 625;
constexpr int kBlockTop = 35;
constexpr int kBlockBottom = 575;
constexpr int kGap = 5;
constexpr int kRowHeight = 20;
constexpr int kRowsTop = kBlockTop + 30;  // under the caption line
constexpr int kLabelLeft = 8;
constexpr int kValueLeft = 65;
constexpr int kColumnWidth = 54;
constexpr int kMaxSections = 10;

constexpr const char* kRows[24] = {
    "T平均值", "T标准差", "T临界值", "T离差值", "T最大值", "T最小值",  //
    "V平均值", "V标准差", "V临界值", "V离差值", "V最大值", "V最小值",  //
    "A平均值", "A标准差", "A临界值", "A离差值", "A最大值", "A最小值",  //
    "F平均值", "F标准差", "F临界值", "F离差值", "F最大值", "F最小值"};

// The block keeps the order of the result file; the panel finds each row by its label.
const std::string* TextOf(const SectionStatistics& s, const char* label) {
  for (const LabelledText& item : s.items) {
    if (item.label == label) return &item.text;
  }
  return nullptr;
}

void DrawBlockFrame(QPainter& p, const StatisticsPictureLayout& l, int j) {
  const QRect b = l.Block(j);
  p.drawRect(b);
  p.setFont(PixelFont("Arial", 14));
  p.drawText(b.left() + kLabelLeft, b.top() + 21, QStringLiteral("检测结果"));
  p.setFont(PixelFont("Arial", 12));
  const int right = l.ValueColumn(j, l.perBlock - 1).right() + 1;
  for (int g = 0; g < 4; ++g) {
    const int top = l.RowTop(6 * g);
    const int bottom = top + 6 * kRowHeight;
    p.drawRect(QRect(QPoint(b.left() + kGap, top), QPoint(right, bottom)));
    for (int k = 0; k < l.perBlock; ++k) {
      const int x = l.ValueColumn(j, k).left();
      p.drawLine(x, top, x, bottom);
    }
    for (int r = 6 * g; r < 6 * g + 6; ++r) {
      p.drawText(QRect(b.left() + kLabelLeft, l.RowTop(r), kValueLeft - kLabelLeft, kRowHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kRows[r]));
    }
  }
}

void DrawColumn(QPainter& p, const StatisticsPictureLayout& l, int j, int k, const SectionStatistics& s,
                const std::string& head) {
  const QRect c = l.ValueColumn(j, k);
  p.drawText(QRect(c.left(), l.Block(j).top() + kGap, c.width() - 3, 20), Qt::AlignRight | Qt::AlignVCenter,
             QString::fromStdString(head));
  for (int r = 0; r < 24; ++r) {
    const std::string* text = TextOf(s, kRows[r]);
    if (text == nullptr) continue;
    p.drawText(QRect(c.left(), l.RowTop(r), c.width() - 3, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(*text));
  }
}

}  // namespace

QRect StatisticsPictureLayout::Block(int j) const {
  return {frame.left() + kGap + j * (BlockWidth() + kGap), kBlockTop, BlockWidth(), kBlockBottom - kBlockTop};
}

QRect StatisticsPictureLayout::ValueColumn(int j, int k) const {
  return {Block(j).left() + kValueLeft + k * kColumnWidth, kRowsTop, kColumnWidth, RowTop(23) + kRowHeight - kRowsTop};
}

int StatisticsPictureLayout::RowTop(int r) const { return kRowsTop + (r / 6) * 13 * kRowHeight / 2 + (r % 6) * kRowHeight; }

StatisticsPictureLayout LayoutStatisticsPicture(int sectionCount, int sectionsPerBlock) {
  StatisticsPictureLayout l;
  if (sectionsPerBlock >= 1 && sectionsPerBlock <= kMaxSections) l.perBlock = sectionsPerBlock;
  l.blocks = std::max(1, (std::max(sectionCount, 0) + l.perBlock - 1) / l.perBlock);
  // The frame encloses its blocks with the same 5-pixel gap on either side.
  const int right = kGap + kGap + l.blocks * (l.BlockWidth() + kGap);
  l.frame = QRect(QPoint(kGap, kFrameTop), QPoint(right, kFrameBottom));
  return l;
}

QImage DrawStatisticsPicture(const CTarnixDoc& doc) {
  const StatisticsBlock block = BuildStatisticsBlock(doc.AllSections(), doc.Algorithm(), doc.samplingStep);
  const int count = static_cast<int>(block.sections.size());
  const StatisticsPictureLayout l = LayoutStatisticsPicture(count, doc.pageSetup.sectionsPerPage);
  QImage image = BlankGreyImage(l.ImageSize().width(), l.ImageSize().height());
  QPainter p(&image);
  SetUpMonoPainter(p);
  const QRect& f = l.frame;
  p.drawRect(f);
  p.drawLine(f.left(), 25, f.right(), 25);
  p.setFont(PixelFont("Arial", 14));
  DrawTextAt(p, 8, 6, "PileID:" + doc.Header().m_holeID);
  for (int j = 0; j < l.blocks; ++j) DrawBlockFrame(p, l, j);
  for (int i = 0; i < count; ++i) {
    const SectionStatistics& s = block.sections[static_cast<size_t>(i)];
    const SectionRecord& section = doc.Section(s.section);
    const std::string head = std::to_string(section.sourPipe + 1) + "-" + std::to_string(section.destPipe + 1);
    DrawColumn(p, l, i / l.perBlock, i % l.perBlock, s, head);
  }
  for (int up : {5, 25, 45}) p.drawLine(f.left(), f.bottom() - up, f.right(), f.bottom() - up);
  p.setFont(PixelFont("Arial", 14));
  DrawTextAt(p, 8, f.bottom() - 44, block.velocityLine);
  DrawTextAt(p, 8, f.bottom() - 24, block.amplitudeLine);
  return image;
}

}  // namespace tarnix
