#include "views/main_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "analysis/main_frequency.h"
#include "commands/edit_commands.h"
#include "document/display_rules.h"
#include "document/tarnix_doc.h"
#include "dialogs/dlg_modify_range.h"

namespace tarnix {
namespace {

constexpr int kZeroLevel = 2048;
// Scroll steps of the keys and the horizontal bar.
constexpr int kLineSamples = 10;
constexpr int kPageSamples = 50;
constexpr int kPageRows = 10;

}  // namespace

CMainView::CMainView(CTarnixDoc& doc, QWidget* parent) : CTarnixView(doc, parent) {
  setMouseTracking(true);
  hBar_ = new QScrollBar(Qt::Horizontal, this);
  vBar_ = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* bar : {hBar_, vBar_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      if (settingBars_) return;
      layout_.hScroll = hBar_->value();
      layout_.vScroll = vBar_->value();
      Invalidate();
      emit Scrolled();
    });
  }
}

const SectionRecord* CMainView::Section() const {
  const SectionRecord* s = doc_.ChannelSection(ChannelOffset());
  return s != nullptr && s->valid && !s->points.empty() ? s : nullptr;
}

int CMainView::SectionIndex() const { return Section() != nullptr ? doc_.CurrentSection() + ChannelOffset() : -1; }

int CMainView::FrameWidth() const {
  const QWidget* frame = window();
  return frame == this ? width() : frame->width();
}

int CMainView::DrawingHeight() const {
  // Whole pixels, as the layout counts them, so that level 1 fits exactly.
  const int usable = static_cast<int>(0.94 * height());
  const SectionRecord* s = Section();
  const int datLen = s != nullptr && s->datLen > 0 ? s->datLen : std::max(doc_.Header().datLen, 1);
  const int leftMargin = static_cast<int>(0.02 * FrameWidth());
  const bool fits = (width() - leftMargin) / datLen >= 1;
  return usable - 2 * kTrainMargin - (fits ? 0 : kScrollBarSize);
}

void CMainView::ResetRowHeight(bool newFile) {
  const SectionRecord* s = Section();
  if (s == nullptr || height() <= 0) return;
  DisplaySettings& d = doc_.display;
  const float panel = d.showCurrentWave ? static_cast<float>(d.panelHeight) : 0.0f;
  const float move = doc_.Header().move;
  // In single precision, as the header holds them: 20.2 m at 0.2 m is 102 rows.
  float rows = move > 0.0f ? std::ceil(doc_.Header().pileLen / move + 1.0f) : static_cast<float>(s->PointCount());
  if (!(rows >= 1.0f) || rows > 1e6f) rows = static_cast<float>(s->PointCount());
  float level1 = (static_cast<float>(DrawingHeight()) - panel) / rows;
  // A pane too small for its rows still gives each one pixel.
  if (!(level1 > 0.0f)) level1 = 1.0f;
  levelOneRowHeight_ = level1;
  if (newFile) d.zoomLevel = 1;
  SetRowHeight(d, level1 * static_cast<float>(1 << std::clamp(d.zoomLevel - 1, 0, 20)));
}

void CMainView::ComputeLayout() {
  WaveLayout l;
  l.width = width();
  l.height = height();
  l.stripWidth = FrameWidth();
  const int usable = static_cast<int>(0.94 * l.height);
  l.headerHeight = l.height - usable;
  l.leftMargin = static_cast<int>(0.02 * l.stripWidth);
  l.areaTop = l.headerHeight;
  l.areaBottom = l.height;
  l.areaRight = l.width;
  l.trainViewHeight = std::max(0, l.areaBottom - l.areaTop);
  const SectionRecord* s = Section();
  if (s == nullptr) {
    layout_ = l;
    settingBars_ = true;
    hBar_->hide();
    vBar_->hide();
    hBar_->setValue(0);
    vBar_->setValue(0);
    settingBars_ = false;
    return;
  }
  const DisplaySettings& d = doc_.display;
  l.datLen = s->datLen > 0 ? s->datLen : std::max(doc_.Header().datLen, 1);
  l.rowCount = s->PointCount();
  l.rowHeight = std::isfinite(d.rowHeight) ? std::clamp(d.rowHeight, 0.05f, 10000.0f) : 1.0f;
  // Kept within what a scroll bar can count, whatever the settings file held.
  l.contentHeight =
      static_cast<int>(std::min(std::ceil(2 * kTrainMargin + l.rowCount * static_cast<double>(l.rowHeight) - 0.01), 1e9));
  int panel = d.showCurrentWave ? std::max(d.panelHeight, 0) : 0;

  const int area = l.areaBottom - l.areaTop;
  bool vNeeded = l.contentHeight > area - panel;
  int available = l.width - l.leftMargin - (vNeeded ? kScrollBarSize : 0);
  l.pixelsPerSample = static_cast<float>(available) / l.datLen;
  bool hNeeded = false;
  if (l.pixelsPerSample < 1.0f) {
    // The samples do not fit: one pixel each, and the bar scrolls them.
    l.pixelsPerSample = 1.0f;
    hNeeded = true;
  }
  // Spectra stretch their bins by the refinement factor instead.
  const double drawn = l.pixelsPerSample * (d.showWaveforms ? static_cast<double>(l.datLen)
                                                            : kFrequencyBins * std::max(d.spectrumRefine, 1));
  l.contentWidth = l.leftMargin + static_cast<int>(std::ceil(drawn - 0.001));
  l.areaRight = l.width - (vNeeded ? kScrollBarSize : 0);
  if (l.contentWidth > l.areaRight) hNeeded = true;
  if (hNeeded && !vNeeded && l.contentHeight > area - kScrollBarSize - panel) {
    vNeeded = true;
    l.areaRight = l.width - kScrollBarSize;
  }
  l.hBarHeight = hNeeded ? kScrollBarSize : 0;
  l.vBarWidth = vNeeded ? kScrollBarSize : 0;
  l.areaBottom = l.height - l.hBarHeight;
  panel = std::min(panel, std::max(0, l.areaBottom - l.areaTop - 1));
  l.panelHeight = panel;
  l.trainViewHeight = std::max(0, l.areaBottom - l.areaTop - panel);
  switch (d.curvePosition) {
    case 2:
      l.split = l.trainViewHeight / 2;
      break;
    case 3:
      l.split = l.trainViewHeight;
      break;
    default:
      l.split = 0;
      break;
  }
  l.hScroll = std::clamp(hBar_->value(), 0, l.MaxHScroll());
  l.vScroll = std::clamp(vBar_->value(), 0, l.MaxVScroll());
  layout_ = l;

  settingBars_ = true;
  hBar_->setRange(0, l.MaxHScroll());
  hBar_->setSingleStep(std::max(1, static_cast<int>(kLineSamples * l.pixelsPerSample)));
  hBar_->setPageStep(std::max(1, static_cast<int>(kPageSamples * l.pixelsPerSample)));
  hBar_->setValue(l.hScroll);
  hBar_->setGeometry(0, l.height - l.hBarHeight, l.areaRight, l.hBarHeight);
  hBar_->setVisible(hNeeded);
  // One line is a hundredth and one page a tenth of the train.
  vBar_->setRange(0, l.MaxVScroll());
  vBar_->setSingleStep(std::max(1, l.contentHeight / 100));
  vBar_->setPageStep(std::max(1, l.contentHeight / 10));
  vBar_->setValue(l.vScroll);
  vBar_->setGeometry(l.areaRight, l.areaTop, l.vBarWidth, l.areaBottom - l.areaTop);
  vBar_->setVisible(vNeeded);
  settingBars_ = false;
}

void CMainView::Invalidate() {
  cacheDirty_ = true;
  update();
}

bool CMainView::AdoptNewFile() {
  if (doc_.OpenCount() == seenOpenCount_ || Section() == nullptr) return false;
  // A newly opened file starts at its top-left end, at zoom level 1.
  seenOpenCount_ = doc_.OpenCount();
  settingBars_ = true;
  hBar_->setValue(0);
  vBar_->setValue(0);
  settingBars_ = false;
  ResetRowHeight(true);
  return true;
}

void CMainView::OnUpdate() {
  AdoptNewFile();
  ComputeLayout();
  Invalidate();
}

void CMainView::resizeEvent(QResizeEvent* event) {
  CTarnixView::resizeEvent(event);
  if (!AdoptNewFile()) ResetRowHeight(false);
  ComputeLayout();
  HideCrossHair();
  Invalidate();
}

void CMainView::paintEvent(QPaintEvent* event) {
  if (layout_.width != width() || layout_.height != height()) ComputeLayout();
  if (cacheDirty_ || cache_.size() != size()) {
    WavePaneContent content;
    content.section = Section();
    content.display = &doc_.display;
    content.currentPoint = doc_.CurrentPoint();
    content.spectra = &spectra_;
    RenderWavePane(cache_, layout_, content);
    cacheDirty_ = false;
  }
  QPainter painter(this);
  for (const QRect& r : event->region()) painter.drawImage(r, cache_, r);
  if (!readoutImage_.isNull()) painter.drawImage(QPoint(0, 0), readoutImage_);
  if (!crossShown_ && drag_ == Handle::None) return;
  // Drawn over the cached train, in the inverting colours of the instrument's
  // screen, so that moving them never redraws a waveform.
  if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  }
  if (crossShown_) {
    painter.setPen(QPen(QColor(0, 255, 0), 0));
    const QRect area = layout_.WaveArea();
    painter.drawLine(area.left(), cross_.y(), area.right(), cross_.y());
    painter.drawLine(cross_.x(), area.top(), cross_.x(), area.bottom());
  }
  if (drag_ != Handle::None) {
    painter.setPen(QPen(QColor(255, 0, 255), 0));
    const QRect handle = layout_.HandleRect(dragY_);
    painter.drawRect(handle.adjusted(0, 0, -1, -1));
    painter.drawLine(handle.right() + 1, dragY_, layout_.areaRight - 1, dragY_);
  }
}

// --- Cross-hair and read-outs ----------------------------------------------

Readout CMainView::ReadoutAt(QPoint p) const {
  Readout r;
  const SectionRecord* s = Section();
  const int row = layout_.RowAt(p.y());
  if (s == nullptr || row < 0) return r;
  const CSamNode& point = s->points[layout_.PointOfRow(row)];
  r.h = point.sourL;
  r.amp = static_cast<int>(point.gain);
  const double offset = layout_.TraceOffset(p.x());
  const double pps = layout_.pixelsPerSample;
  const int k = static_cast<int>(std::floor(offset / pps));
  if (doc_.display.showCurrentWave) {
    r.t = std::ceil(offset * s->dT / pps + s->delay);
  } else {
    r.t = k * static_cast<double>(s->dT) + s->delay;
  }
  r.vp = r.t != 0.0 ? s->crossD / r.t * 1000.0 : 0.0;
  const int n = static_cast<int>(point.samples.size());
  if (point.HasWaveform() && point.gain != 0.0f && k >= 0 && k < n) {
    r.a = (point.samples[k] - kZeroLevel) * 2.0 / 2048.0 / point.gain * 1000.0;
  }
  return r;
}

QRegion CMainView::CrossHairRegion(QPoint p) const {
  const QRect area = layout_.WaveArea();
  return QRegion(QRect(area.left(), p.y(), area.width(), 1)) + QRegion(QRect(p.x(), area.top(), 1, area.height()));
}

QRect CMainView::DragRegion(int y) const {
  return QRect(0, y - kHandleHeight / 2 - 1, width(), kHandleHeight + 3);
}

void CMainView::MoveCrossHair(QPoint p) {
  QRegion dirty;
  if (crossShown_) dirty += CrossHairRegion(cross_);
  cross_ = p;
  crossShown_ = true;
  dirty += CrossHairRegion(p);
  update(dirty);
}

void CMainView::HideCrossHair() {
  if (!crossShown_) return;
  crossShown_ = false;
  update(CrossHairRegion(cross_));
}

void CMainView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (drag_ != Handle::None) {
    QRegion dirty(DragRegion(dragY_));
    dragY_ = p.y();
    dirty += DragRegion(dragY_);
    update(dirty);
  }
  if (Section() == nullptr || !layout_.InWaveArea(p)) {
    HideCrossHair();
    return;
  }
  MoveCrossHair(p);
  const Readout r = ReadoutAt(p);
  // Outside the rows the line keeps what it showed.
  if (r.h < 0) return;
  readout_ = r;
  readoutImage_ = RenderReadout(r, layout_.stripWidth, layout_.headerHeight, width());
  update(QRect(QPoint(0, 0), readoutImage_.size()));
}

void CMainView::leaveEvent(QEvent* event) {
  CTarnixView::leaveEvent(event);
  HideCrossHair();
  if (drag_ != Handle::None) {
    drag_ = Handle::None;
    update();
  }
}

// --- Picking and the range handles -------------------------------------------

CMainView::Handle CMainView::HandleAt(QPoint p) const {
  const SectionRecord* s = Section();
  if (s == nullptr || p.x() >= layout_.leftMargin) return Handle::None;
  Handle best = Handle::None;
  int bestDistance = 0;
  for (Handle h : {Handle::Upper, Handle::Lower}) {
    const int index = h == Handle::Upper ? s->lastIndex : s->firstIndex;
    float y;
    if (index < 0 || !layout_.RowBaseline(layout_.RowOfPoint(index), y)) continue;
    const int yi = static_cast<int>(std::floor(y));
    if (!layout_.HandleRect(yi).contains(p)) continue;
    const int distance = std::abs(p.y() - yi);
    if (best == Handle::None || distance < bestDistance) {
      best = h;
      bestDistance = distance;
    }
  }
  return best;
}

void CMainView::mousePressEvent(QMouseEvent* event) {
  CTarnixView::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || Section() == nullptr) return;
  const QPoint p = event->position().toPoint();
  const Handle h = HandleAt(p);
  if (h != Handle::None) {
    drag_ = h;
    dragY_ = p.y();
    update(DragRegion(dragY_));
    return;
  }
  if (layout_.InWaveArea(p)) Pick(p);
}

void CMainView::mouseReleaseEvent(QMouseEvent* event) {
  CTarnixView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || drag_ == Handle::None) return;
  const Handle which = drag_;
  drag_ = Handle::None;
  update(DragRegion(dragY_));
  DropHandle(which, event->position().toPoint());
}

void CMainView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Section() != nullptr) {
    const Handle h = HandleAt(event->position().toPoint());
    if (h != Handle::None) {
      drag_ = Handle::None;
      update();
      EditHandle(h);
      return;
    }
  }
  mousePressEvent(event);
}

void CMainView::Pick(QPoint p) {
  const SectionRecord* s = Section();
  const int row = layout_.RowAt(p.y());
  // The panel shows the current point, so a click there picks it.
  const int index = row >= 0 ? layout_.PointOfRow(row) : (layout_.InPanel(p.y()) ? doc_.CurrentPoint() : -1);
  const CSamNode* point = s->PointAt(index);
  if (point == nullptr || !point->HasWaveform()) return;
  const double offset = layout_.TraceOffset(p.x());
  if (doc_.display.showWaveforms) {
    const int k = static_cast<int>(std::ceil(offset / layout_.pixelsPerSample));
    Record(commands_, ManualPick(doc_, SectionIndex(), index, k));
  } else {
    const double bin = std::ceil(offset / (std::max(doc_.display.spectrumRefine, 1) * layout_.pixelsPerSample));
    Record(commands_, ChooseFrequencyBin(doc_, SectionIndex(), index, static_cast<int>(std::clamp(bin, -1.0, 1e6))));
  }
  Invalidate();
}

void CMainView::DropHandle(Handle which, QPoint p) {
  const SectionRecord* s = Section();
  if (s == nullptr) return;
  const int row = layout_.RowAt(p.y());
  if (row < 0) {
    if (which == Handle::Lower) doc_.Ui().Message("超出桩长", MessageButtons::Ok);
    return;
  }
  const int index = layout_.PointOfRow(row);
  int first = s->firstIndex;
  int last = s->lastIndex;
  int& end = which == Handle::Upper ? last : first;
  if (end == index) return;
  end = index;
  Record(commands_, ChangeRange(doc_, first, last));
  Invalidate();
}

void CMainView::EditHandle(Handle which) {
  CDlgModifyRange dialog(doc_, SectionIndex(), which == Handle::Upper, commands_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Invalidate();
}

// --- Copy and paste ----------------------------------------------------------

bool CMainView::HandlesCommand(CommandId id) const {
  return (id == CommandId::CopyWave || id == CommandId::PasteWave) && Section() != nullptr;
}

bool CMainView::OnCommand(CommandId id) {
  switch (id) {
    case CommandId::CopyWave:
      CopyWave();
      return true;
    case CommandId::PasteWave:
      PasteWave();
      return true;
    default:
      return false;
  }
}

void CMainView::CopyWave() { doc_.CopyPoint(SectionIndex(), doc_.CurrentPoint()); }

void CMainView::PasteWave() {
  if (Section() == nullptr) return;
  Record(commands_, PasteWaveform(doc_, SectionIndex(), doc_.CurrentPoint()));
  Invalidate();
}

// --- Scrolling and zoom ------------------------------------------------------

void CMainView::ScrollTo(int h, int v) {
  hBar_->setValue(std::clamp(h, 0, layout_.MaxHScroll()));
  vBar_->setValue(std::clamp(v, 0, layout_.MaxVScroll()));
}

void CMainView::ScrollBy(int dx, int dy) { ScrollTo(layout_.hScroll + dx, layout_.vScroll + dy); }

void CMainView::FollowRows(const CMainView* other) {
  connect(other, &CMainView::Scrolled, this, [this, other] {
    if (other->Layout().vScroll != layout_.vScroll) ScrollTo(layout_.hScroll, other->Layout().vScroll);
  });
}

void CMainView::ShowPoint(int index) {
  if (Section() == nullptr || Section()->PointAt(index) == nullptr) return;
  KeepRowInView(layout_.RowOfPoint(index));
  Invalidate();
  doc_.SetCurrentPoint(index);
}

void CMainView::KeepRowInView(int row) {
  const float top = kTrainMargin + row * layout_.rowHeight;
  const float bottom = top + layout_.rowHeight;
  if (top < layout_.vScroll) {
    ScrollTo(layout_.hScroll, static_cast<int>(std::floor(top)));
  } else if (bottom > layout_.vScroll + layout_.trainViewHeight) {
    ScrollTo(layout_.hScroll, static_cast<int>(std::ceil(bottom)) - layout_.trainViewHeight);
  }
}

void CMainView::wheelEvent(QWheelEvent* event) {
  if (doc_.display.zoomLevel < 2 || Section() == nullptr) return;
  const int notches = event->angleDelta().y() / 120;
  const int steps = notches != 0 ? notches : (event->angleDelta().y() > 0 ? 1 : -1);
  if (event->angleDelta().y() == 0) return;
  ScrollBy(0, static_cast<int>(std::lround(-steps * layout_.rowHeight)));
  event->accept();
}

void CMainView::keyPressEvent(QKeyEvent* event) {
  const SectionRecord* s = Section();
  if (s == nullptr) {
    CTarnixView::keyPressEvent(event);
    return;
  }
  const bool zoomed = doc_.display.zoomLevel >= 2;
  const int rows = static_cast<int>(std::lround(kPageRows * layout_.rowHeight));
  const int samples = std::max(1, static_cast<int>(kLineSamples * layout_.pixelsPerSample));
  switch (event->key()) {
    case Qt::Key_PageUp:
      if (zoomed) ScrollBy(0, -rows);
      break;
    case Qt::Key_PageDown:
      if (zoomed) ScrollBy(0, rows);
      break;
    case Qt::Key_Home:
      ScrollTo(0, 0);
      break;
    case Qt::Key_End:
      ScrollTo(layout_.MaxHScroll(), layout_.MaxVScroll());
      break;
    case Qt::Key_Left:
      ScrollBy(-samples, 0);
      break;
    case Qt::Key_Right:
      ScrollBy(samples, 0);
      break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      if (!doc_.display.showCurrentWave) break;
      // Up is the row above: the next point up the hole.
      const int step = event->key() == Qt::Key_Up ? 1 : -1;
      const int next = std::clamp(doc_.CurrentPoint() + step, 0, s->PointCount() - 1);
      if (next == doc_.CurrentPoint()) break;
      KeepRowInView(layout_.RowOfPoint(next));
      Invalidate();
      doc_.SetCurrentPoint(next);
      break;
    }
    default:
      CTarnixView::keyPressEvent(event);
      return;
  }
  event->accept();
}

bool CMainView::ZoomIn() {
  if (Section() == nullptr || doc_.modes.layoutMode == 1) return false;
  DisplaySettings& d = doc_.display;
  if (!(d.rowHeight <= 50.0f)) return false;
  d.rowHeight *= 2.0f;
  d.rowHeightInt *= 2;
  ++d.zoomLevel;
  AfterZoom(2.0f);
  return true;
}

bool CMainView::ZoomOut() {
  if (Section() == nullptr || doc_.modes.layoutMode == 1) return false;
  DisplaySettings& d = doc_.display;
  if (d.zoomLevel < 2 || !(d.rowHeight > levelOneRowHeight_)) return false;
  d.rowHeight /= 2.0f;
  d.rowHeightInt /= 2;
  --d.zoomLevel;
  AfterZoom(0.5f);
  return true;
}

void CMainView::AfterZoom(float factor) {
  // The row at the top of the pane stays at the top.
  const int v = static_cast<int>((layout_.vScroll - kTrainMargin) * factor) + kTrainMargin;
  ComputeLayout();
  ScrollTo(layout_.hScroll, std::max(v, 0));
  // ... unless that would leave the current point out of view.
  if (Section() != nullptr && Section()->PointAt(doc_.CurrentPoint()) != nullptr) {
    KeepRowInView(layout_.RowOfPoint(doc_.CurrentPoint()));
  }
  Invalidate();
  doc_.Ui().UpdateAllViews();
}

}  // namespace tarnix
