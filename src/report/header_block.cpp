#include <QString>
#include <algorithm>

#include "report/report_axes.h"
#include "report/report_pages.h"

namespace tarnix {
namespace {

QString Upper(const std::string& s) { return QString::fromStdString(s).toUpper(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Date10(const std::string& s) { return QString::fromStdString(s.substr(0, std::min<size_t>(s.size(), 10))); }

}  // namespace

void DrawHeaderBlock(QPainter& p, const QRect& block, int format, const TestHeader& h) {
  if (block.width() <= 0 || block.height() <= 0) return;
  p.save();
  p.setPen(QPen(Qt::black, 1));
  const int rows = format == 1 ? 5 : 3;
  const int rowHeight = block.height() / rows;
  for (int r = 0; r <= rows; ++r) p.drawLine(block.left(), block.top() + r * rowHeight, block.right(), block.top() + r * rowHeight);
  p.setFont(PixelFont("Times New Roman", static_cast<int>(rowHeight * (format == 1 ? 0.8 : 0.65))));
  const int ascent = p.fontMetrics().ascent();
  auto cell = [&](int row, int left, const QString& text) {
    const int inset = format == 1 ? block.width() / 50 : block.width() / 40;
    const int below = format == 1 ? rowHeight / 10 : block.height() / 20;
    p.drawText(left + inset, block.top() + row * rowHeight + below + ascent, text);
  };
  if (format == 1) {
    const int mid = block.left() + block.width() / 2;
    const int third = block.width() / 3;
    p.drawLine(mid, block.top(), mid, block.top() + 2 * rowHeight);
    p.drawLine(block.left() + third, block.top() + 2 * rowHeight, block.left() + third, block.top() + 5 * rowHeight);
    p.drawLine(block.left() + 2 * third, block.top() + 2 * rowHeight, block.left() + 2 * third,
               block.top() + 5 * rowHeight);
    cell(0, block.left(), "工程名称：" + Q(h.site));
    cell(0, mid, "测试日期：" + Date10(h.date));
    cell(1, block.left(), "测试单位：" + Q(h.unit));
    cell(1, mid, "测试人员：" + Q(h.person));
    cell(2, block.left(), "钻孔编号：" + Q(h.m_holeID));
    cell(3, block.left(), "孔口高程：" + Q(h.m_holeHeight));
    cell(4, block.left(), "钻孔深度：" + Q(h.m_holeDepth));
    cell(2, block.left() + third, "钻孔日期：" + Date10(h.m_holeDate));
    cell(3, block.left() + third, QStringLiteral("坐标(m)"));
    cell(2, block.left() + 2 * third, "测试仪器：" + Upper(h.inst));
    cell(3, block.left() + 2 * third, "X = " + Q(h.m_holeX));
    cell(4, block.left() + 2 * third, "Y = " + Q(h.m_holeY));
  } else {
    const int mid = block.left() + block.width() / 2;
    p.drawLine(mid, block.top(), mid, block.top() + 3 * rowHeight);
    cell(0, block.left(), "工程名称：" + Q(h.site));
    cell(1, block.left(), "测试单位：" + Q(h.unit));
    cell(2, block.left(), "钻孔编号：" + Q(h.m_holeID));
    cell(0, mid, "测试日期：" + Date10(h.date));
    cell(1, mid, "测试人员：" + Q(h.person));
    cell(2, mid, "测试仪器：" + Upper(h.inst));
  }
  p.restore();
}

}  // namespace tarnix
