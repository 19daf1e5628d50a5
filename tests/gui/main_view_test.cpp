// The wave panes as a user drives them with the mouse and the keys: picks,
// read-outs, the range handles and their dialog, copy and paste, zoom and
// scrolling, and what the train looks like where it matters.
#include "views/main_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <functional>

#include "analysis/main_frequency.h"
#include "document/tarnix_doc.h"
#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "dialogs/dlg_modify_range.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

// A small two-receiver test whose samples are known: point i, sample k holds
// 2048 + (k - 128) * 8, gain 10, dT 2 µs, delay 10 µs. Twenty points from 3.8 m
// up to 0 m, and a hole of 4.2 m, so the two deepest rows are empty.
void WriteRampTest(const std::string& path) {
  TestHeader h;
  h.pileLen = 4.2f;
  h.move = 0.2f;
  h.pipeNum = 3;
  h.pipeDepth.fill(h.pileLen);
  h.dT = 2.0f;
  h.datLen = 256;
  Sections sections;
  std::vector<uint16_t> ramp(256);
  for (int k = 0; k < 256; ++k) ramp[k] = static_cast<uint16_t>(2048 + (k - 128) * 8);
  for (int si = 0; si < 2; ++si) {
    SectionRecord& s = sections[si];
    s.valid = true;
    s.sourPipe = 0;
    s.destPipe = si + 1;
    s.crossD = si == 0 ? 0.5f : 0.8f;
    s.gain = 10.0f;
    s.dT = 2.0f;
    s.delay = 10.0f;
    s.datLen = 256;
    for (int i = 19; i >= 0; --i) {
      const float depth = i * 0.2f;
      s.AppendPoint(ramp.data(), 256, depth, depth, s.crossD, 10.0f, 100.0f, 120.0f, 60.0f);
    }
  }
  WriteRawTest(path, h, sections, false);
}

class MainViewTest : public ::testing::Test {
 protected:
  MainViewTest() : doc_(ui_, recent_) {
    window_.resize(1200, 1000);
    main_ = new CMainView(doc_, &window_);
    sec_ = new CSecView(doc_, &window_);
    main_->setGeometry(0, 0, 600, 1000);
    sec_->setGeometry(600, 0, 600, 1000);
    window_.show();
  }

  void Open(const std::string& path) {
    ASSERT_TRUE(doc_.OnOpenDocument(path));
    Refresh();
  }
  void Refresh() {
    main_->OnUpdate();
    sec_->OnUpdate();
    QApplication::processEvents();
  }

  // Screen point of a sample position on a point's row.
  static QPoint At(const CMainView* v, int index, double sample) {
    const WaveLayout& l = v->Layout();
    float y = 0;
    EXPECT_TRUE(l.RowBaseline(l.RowOfPoint(index), y)) << "row of point " << index << " is not visible";
    return QPoint(static_cast<int>(std::floor(l.SampleX(sample))), static_cast<int>(std::floor(y)));
  }
  static QPoint HandleAt(const CMainView* v, int index) {
    QPoint p = At(v, index, 0);
    p.setX(v->Layout().leftMargin / 2);
    return p;
  }

  static void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons = Qt::NoButton) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static void Click(QWidget* w, QPoint p) {
    Mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, p);
  }
  static void Drag(QWidget* w, QPoint from, QPoint to) {
    Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, to);
  }
  static void Key(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }

  // Double-clicks a handle and runs `steps` on the dialog that opens.
  void WithHeightDialog(QPoint handle, const std::function<void(CDlgModifyRange&)>& steps) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CDlgModifyRange*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "the height dialog did not open";
        return;
      }
      seen = true;
      steps(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    Mouse(main_, QEvent::MouseButtonPress, handle, Qt::LeftButton);
    Mouse(main_, QEvent::MouseButtonRelease, handle);
    Mouse(main_, QEvent::MouseButtonDblClick, handle, Qt::LeftButton);
    Mouse(main_, QEvent::MouseButtonRelease, handle);
    EXPECT_TRUE(seen);
  }

  QImage Shot(CMainView* v) { return v->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  QWidget window_;
  CMainView* main_ = nullptr;
  CSecView* sec_ = nullptr;
};

TEST_F(MainViewTest, EmptyPaneIgnoresEverything) {
  EXPECT_FALSE(main_->HandlesCommand(CommandId::CopyWave));
  EXPECT_FALSE(main_->ZoomIn());
  Click(main_, QPoint(300, 500));
  main_->OnCommand(CommandId::CopyWave);
  main_->OnCommand(CommandId::PasteWave);
  EXPECT_TRUE(ui_.statusTexts.empty());
  EXPECT_FALSE(doc_.IsModified());
  const QImage shot = Shot(main_);
  EXPECT_EQ(shot.pixel(300, 500), qRgb(255, 255, 255));
}

TEST_F(MainViewTest, GreyTrainLeavesNoRowUnpainted) {
  doc_.display.trainMode = 4;
  Open(kSample);
  int blank = 0;
  // Fractional row heights are where strips used to part.
  for (int height = 640; height <= 1000; height += 45) {
  main_->resize(600, height);
  Refresh();
  const WaveLayout& l = main_->Layout();
  const QImage shot = Shot(main_);
  const int x0 = static_cast<int>(l.SampleX(100)), x1 = static_cast<int>(l.SampleX(300));
  for (int row = 5; row < l.rowCount - 5; ++row) {
    float y = 0;
    if (!l.RowBaseline(row, y) || !doc_.Section(0).points[l.PointOfRow(row)].HasWaveform()) continue;
    // Every scanline between this row's baseline and the next one's carries grey.
    for (int line = static_cast<int>(y); line < static_cast<int>(y + l.rowHeight); ++line) {
      bool white = true;
      for (int x = x0; x < x1 && white; ++x) white = shot.pixel(x, line) == qRgb(255, 255, 255);
      blank += white ? 1 : 0;
    }
  }
  }
  EXPECT_EQ(blank, 0);
}

TEST_F(MainViewTest, DoubtfulAndPoorPicksStandOut) {
  Open(kSample);
  const auto count = [&](QRgb colour) {
    const QImage shot = Shot(main_);
    int n = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) n += shot.pixel(x, y) == colour ? 1 : 0;
    }
    return n;
  };
  const QRgb doubtful = qRgb(255, 140, 0), poor = qRgb(224, 0, 224);
  EXPECT_EQ(count(doubtful) + count(poor), 0);
  DocumentTestAccess::Section(doc_, 0).points[doc_.CurrentPoint()].pickQuality = PickQuality::Doubtful;
  DocumentTestAccess::Section(doc_, 0).points[3].pickQuality = PickQuality::Poor;
  main_->OnUpdate();
  EXPECT_GT(count(doubtful), 20);  // the current waveform's pick line and its marker
  EXPECT_GT(count(poor), 0);
}

TEST_F(MainViewTest, ClickPicksTheCeilingSampleAndUpdatesTheVelocity) {
  // Wide enough for all 1024 samples, at a fractional scale.
  window_.resize(2400, 1000);
  main_->setGeometry(0, 0, 1500, 1000);
  Open(kSample);
  DocumentTestAccess::TimeCorrection(doc_, 0) = 3;  // µs at dT 1: the record pick lies 3 samples later
  const WaveLayout& l = main_->Layout();
  ASSERT_GT(std::fmod(l.pixelsPerSample, 1.0f), 0.1f);
  // Choose a pixel whose sample position has a small fraction, so that
  // rounding or truncating would name another sample than the ceiling.
  int x = l.leftMargin + 150;
  auto fraction = [&](int px) { return std::fmod(l.TraceOffset(px) / l.pixelsPerSample, 1.0); };
  while (x < l.leftMargin + 300 && (fraction(x) > 0.4 || fraction(x) < 0.05)) ++x;
  ASSERT_LT(x, l.leftMargin + 300);
  const int expected = static_cast<int>(std::ceil(l.TraceOffset(x) / l.pixelsPerSample));
  const QPoint at(x, At(main_, 50, 0).y());
  const SectionRecord& s = doc_.Section(0);
  const float before = s.velocity[50];
  const int otherBefore = doc_.Section(1).points[50].arrivalIndex;

  Click(main_, at);
  EXPECT_EQ(s.points[50].arrivalIndex, expected);
  EXPECT_EQ(s.points[50].autoArrivalIndex, expected + 3);
  EXPECT_FLOAT_EQ(s.arrivalTime[50], expected * s.dT + s.delay);
  EXPECT_FLOAT_EQ(s.velocity[50], s.points[50].span / s.arrivalTime[50] * 1000.0f);
  EXPECT_NE(s.velocity[50], before);
  EXPECT_EQ(doc_.CurrentPoint(), 50);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(doc_.Section(1).points[50].arrivalIndex, otherBefore);
}

TEST_F(MainViewTest, PickInTheChannelTwoPaneWritesTheNextSection) {
  Open(kSample);
  DocumentTestAccess::TimeCorrection(doc_, 0) = 0;
  DocumentTestAccess::TimeCorrection(doc_, 1) = 4;  // the pane's own section's correction counts
  const int firstBefore = doc_.Section(0).points[40].arrivalIndex;
  const QPoint at = At(sec_, 40, 200.3);
  Click(sec_, at);
  const CSamNode& p = doc_.Section(1).points[40];
  const int k = static_cast<int>(std::ceil(sec_->Layout().TraceOffset(at.x()) / sec_->Layout().pixelsPerSample));
  EXPECT_EQ(p.arrivalIndex, k);
  EXPECT_EQ(p.autoArrivalIndex, k + 4);
  EXPECT_FLOAT_EQ(doc_.Section(1).arrivalTime[40], k * doc_.Section(1).dT);
  EXPECT_EQ(doc_.Section(0).points[40].arrivalIndex, firstBefore);
}

TEST_F(MainViewTest, ClickOnAnEmptyRowChangesNothing) {
  Open(kSample);
  ASSERT_FALSE(doc_.Section(0).points[101].HasWaveform());
  const int before = doc_.Section(0).points[101].arrivalIndex;
  Click(main_, At(main_, 101, 100));
  EXPECT_EQ(doc_.Section(0).points[101].arrivalIndex, before);
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(MainViewTest, SpectrumClickChoosesTheBinAndItsFrequency) {
  Open(kSample);
  doc_.display.showWaveforms = 0;
  doc_.display.spectrumRefine = 4;
  Refresh();
  ASSERT_FLOAT_EQ(main_->Layout().pixelsPerSample, 1.0f);  // 1024 samples in a 600-pixel pane
  ASSERT_EQ(main_->Layout().hScroll, 0);
  Click(main_, QPoint(main_->Layout().leftMargin + 40, At(main_, 30, 0).y()));
  EXPECT_EQ(doc_.Section(0).points[30].freqIndex, 10);
  // 500 000 Hz · 10 / 255, truncated to whole Hz.
  EXPECT_NEAR(doc_.Section(0).mainFreq[30], 19.607f, 1e-4);
}

TEST_F(MainViewTest, ReadoutShowsTheSampleUnderTheCursor) {
  test::TempDir dir;
  WriteRampTest(dir.File("ramp.CHT"));
  Open(dir.File("ramp.CHT"));
  doc_.display.showCurrentWave = 0;
  Refresh();
  const WaveLayout& l = main_->Layout();
  ASSERT_GT(l.pixelsPerSample, 1.0f);
  // Point 6 lies at 3.0 m (the two empty points come first); sample 160 is
  // 256 counts above zero: 256 · 2 / 2048 / 10 V = 25 mV.
  ASSERT_NEAR(doc_.Section(0).points[6].sourL, 3.0f, 1e-4);
  const QPoint at(static_cast<int>(std::floor(l.SampleX(160.5))), At(main_, 6, 0).y());
  // The read-out line is drawn into the upper half of the header strip.
  auto headerInk = [&] {
    const QImage header = Shot(main_).copy(0, 0, l.width, l.headerHeight / 2);
    int ink = 0;
    for (int y = 0; y < header.height(); ++y) {
      for (int x = 0; x < header.width(); ++x) ink += qGray(header.pixel(x, y)) < 128;
    }
    return ink;
  };
  EXPECT_EQ(headerInk(), 0);
  Mouse(main_, QEvent::MouseMove, at);
  EXPECT_EQ(ReadoutTexts(main_->LastReadout()),
            QStringList({"Amp: 10", "Vp: 1.515km/s", "H: 3.00m", "T: 330.0us", "A: 25.00mv"}));
  EXPECT_GT(headerInk(), 20);

  // Outside every row the line keeps what it showed.
  Mouse(main_, QEvent::MouseMove, QPoint(at.x(), l.areaTop + 2));
  EXPECT_DOUBLE_EQ(main_->LastReadout().h, doc_.Section(0).points[6].sourL);

  // With the current-waveform panel the time comes from x alone, rounded up.
  doc_.display.showCurrentWave = 1;
  Refresh();
  const QPoint panelAt(static_cast<int>(std::floor(main_->Layout().SampleX(100.3))), At(main_, 6, 0).y());
  Mouse(main_, QEvent::MouseMove, panelAt);
  const double offset = main_->Layout().TraceOffset(panelAt.x());
  EXPECT_DOUBLE_EQ(main_->LastReadout().t, std::ceil(offset * 2.0 / main_->Layout().pixelsPerSample + 10.0));
}

TEST(ReadoutTextsTest, TinyAmplitudesReadAsTenMicrovolts) {
  Readout r;
  r.amp = 100;
  r.vp = 4.3103;
  r.h = 10.2;
  r.t = 116.0;
  r.a = 1e-9;
  EXPECT_EQ(ReadoutTexts(r), QStringList({"Amp: 100", "Vp: 4.310km/s", "H: 10.20m", "T: 116.0us", "A: 10.00uv"}));
  r.a = 1e-11;
  EXPECT_EQ(ReadoutTexts(r).last(), "A: 10.00uv");
  r.a = 1.1e-9;
  EXPECT_EQ(ReadoutTexts(r).last(), "A: 0.00mv");
  r.a = -3.256;
  EXPECT_EQ(ReadoutTexts(r).last(), "A: -3.26mv");
}

TEST_F(MainViewTest, RangeHandlesKeepAtLeastTenPoints) {
  Open(kSample);
  doc_.display.showCurrentWave = 0;
  Refresh();
  ASSERT_EQ(doc_.Section(0).firstIndex, 0);
  ASSERT_EQ(doc_.Section(0).lastIndex, 99);
  // Lower handle up to point 90: exactly ten points remain.
  Drag(main_, HandleAt(main_, 0), At(main_, 90, 10));
  for (const Sections* all : {&DocumentTestAccess::AllSections(doc_), &DocumentTestAccess::ProcessingSnapshot(doc_).sections, &DocumentTestAccess::DisplaySnapshot(doc_).sections}) {
    EXPECT_EQ((*all)[0].firstIndex, 90);
    EXPECT_EQ((*all)[1].firstIndex, 90);
    EXPECT_EQ((*all)[1].lastIndex, 99);
  }
  EXPECT_TRUE(ui_.messages.empty());
  // One more would leave nine.
  Drag(main_, HandleAt(main_, 90), At(main_, 91, 10));
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>({"请确定区间的间隔点不少于１０个"}));
  EXPECT_EQ(doc_.Section(0).firstIndex, 90);
  // The upper handle can cross into the empty rows above.
  Drag(sec_, HandleAt(sec_, 99), At(sec_, 101, 10));
  EXPECT_EQ(doc_.Section(0).lastIndex, 101);
  EXPECT_EQ(doc_.Section(1).lastIndex, 101);
  // Dropped outside the rows: the lower handle complains, the upper one does not.
  ui_.messages.clear();
  const QPoint header(main_->Layout().leftMargin / 2, main_->Layout().areaTop / 2);
  Drag(main_, HandleAt(main_, 101), header);
  EXPECT_TRUE(ui_.messages.empty());
  Drag(main_, HandleAt(main_, 90), header);
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>({"超出桩长"}));
  EXPECT_EQ(doc_.Section(0).firstIndex, 90);
  EXPECT_EQ(doc_.Section(0).lastIndex, 101);
}

TEST_F(MainViewTest, HeightDialogChecksTheHeightAndTheSpacing) {
  Open(kSample);
  doc_.display.showCurrentWave = 0;
  Refresh();
  WithHeightDialog(HandleAt(main_, 99), [&](CDlgModifyRange& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改截取范围"));
    bool prompt = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) prompt |= label->text() == QStringLiteral("请输入上滑块截取的高度值");
    EXPECT_TRUE(prompt);
    EXPECT_EQ(dialog.HeightEdit()->text(), QStringLiteral("0.40"));
    EXPECT_EQ(dialog.ConfirmButton()->text(), QStringLiteral("确定修改"));
    for (const char* bad : {"20.4", "-0.2"}) {
      dialog.HeightEdit()->setText(bad);
      dialog.ConfirmButton()->click();
      EXPECT_TRUE(dialog.isVisible());
    }
    // 18.8 m is point 7: eight points above the lower end only.
    dialog.HeightEdit()->setText("18.8");
    dialog.ConfirmButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    // 2.0 m: trunc(102 - 2.0 / 0.2 - 1) = 91.
    dialog.HeightEdit()->setText("2.0");
    dialog.ConfirmButton()->click();
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>({"高度超出桩长范围", "高度超出桩长范围",
                                                           "请确定区间的间隔点不少于１０个，并且上滑块在下滑块之上"}));
  for (const Sections* all : {&doc_.AllSections(), &doc_.ProcessingSnapshot().sections}) {
    EXPECT_EQ((*all)[0].lastIndex, 91);
    EXPECT_EQ((*all)[1].lastIndex, 91);
  }

  // The lower handle may not pass the upper one.
  ui_.messages.clear();
  Refresh();
  WithHeightDialog(HandleAt(main_, 0), [&](CDlgModifyRange& dialog) {
    bool prompt = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) prompt |= label->text() == QStringLiteral("请输入下滑块截取的高度值");
    EXPECT_TRUE(prompt);
    dialog.HeightEdit()->setText("1.0");
    dialog.ConfirmButton()->click();
    EXPECT_TRUE(dialog.isVisible());
  });
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>({"请确定区间的间隔点不少于１０个，并且上滑块在下滑块之上"}));
  EXPECT_EQ(doc_.Section(0).firstIndex, 0);
}

TEST_F(MainViewTest, CopyAndPasteOnePoint) {
  Open(kSample);
  EXPECT_TRUE(main_->HandlesCommand(CommandId::CopyWave));
  EXPECT_TRUE(sec_->HandlesCommand(CommandId::PasteWave));
  EXPECT_FALSE(main_->HandlesCommand(CommandId::AutoPick));
  EXPECT_TRUE(main_->OnCommand(CommandId::PasteWave));
  EXPECT_EQ(ui_.statusTexts.back(), "请先复制或单波读取后再粘贴");
  EXPECT_FALSE(doc_.IsModified());

  DocumentTestAccess::CurrentPoint(doc_) = 50;
  EXPECT_TRUE(main_->OnCommand(CommandId::CopyWave));
  EXPECT_EQ(ui_.statusTexts.back(), "复制成功");
  ASSERT_TRUE(doc_.WaveClipboard().has_value());
  const CSamNode copied = doc_.Section(0).points[50];

  // Pasted onto point 60 of channel 2: the waveform and picks come along, the depths stay.
  DocumentTestAccess::CurrentPoint(doc_) = 60;
  const float depth = doc_.Section(1).points[60].sourL;
  EXPECT_TRUE(sec_->OnCommand(CommandId::PasteWave));
  EXPECT_EQ(ui_.statusTexts.back(), "粘贴成功");
  const CSamNode& pasted = doc_.Section(1).points[60];
  EXPECT_EQ(pasted.samples, copied.samples);
  EXPECT_EQ(pasted.arrivalIndex, copied.arrivalIndex);
  EXPECT_FLOAT_EQ(pasted.sourL, depth);
  EXPECT_FLOAT_EQ(doc_.Section(1).arrivalTime[60], copied.arrivalIndex * doc_.Section(1).dT);
  EXPECT_TRUE(doc_.IsModified());

  // A shorter waveform from elsewhere takes the record length of the section.
  DocumentTestAccess::WaveClipboard(doc_)->samples.assign(100, 3000);
  DocumentTestAccess::WaveClipboard(doc_)->rawSamples.clear();
  DocumentTestAccess::WaveClipboard(doc_)->arrivalIndex = 900;
  main_->OnCommand(CommandId::PasteWave);
  const CSamNode& shortened = doc_.Section(0).points[60];
  ASSERT_EQ(shortened.samples.size(), 1024u);
  EXPECT_EQ(shortened.samples[99], 3000);
  EXPECT_EQ(shortened.samples[100], 2048);
  EXPECT_EQ(shortened.rawSamples, shortened.samples);
}

TEST_F(MainViewTest, ZoomDoublesAndHalvesTheRowsWithinItsLimits) {
  EXPECT_FALSE(main_->ZoomIn());  // no file
  Open(kSample);
  DisplaySettings& d = doc_.display;
  EXPECT_EQ(d.zoomLevel, 1);
  // Level 1: 0.94 of 1000 pixels, less 20, the 200-pixel panel and the 17 of
  // the horizontal bar, over ceil(20.2 / 0.2 + 1) = 102 rows; the whole hole fits.
  EXPECT_NEAR(main_->LevelOneRowHeight(), (940.0f - 20 - 200 - 17) / 102, 1e-4);
  EXPECT_FLOAT_EQ(d.rowHeight, main_->LevelOneRowHeight());
  EXPECT_EQ(main_->Layout().MaxVScroll(), 0);
  EXPECT_FALSE(main_->ZoomOut());

  d.rowHeight = 51.0f;
  EXPECT_FALSE(main_->ZoomIn());
  EXPECT_FLOAT_EQ(d.rowHeight, 51.0f);
  d.rowHeight = 50.0f;
  d.rowHeightInt = 50;
  EXPECT_TRUE(main_->ZoomIn());
  EXPECT_FLOAT_EQ(d.rowHeight, 100.0f);
  EXPECT_EQ(d.rowHeightInt, 100);
  EXPECT_EQ(d.zoomLevel, 2);
  EXPECT_TRUE(main_->ZoomOut());
  EXPECT_FLOAT_EQ(d.rowHeight, 50.0f);
  EXPECT_EQ(d.zoomLevel, 1);

  doc_.modes.layoutMode = 1;
  EXPECT_FALSE(main_->ZoomIn());
  doc_.modes.layoutMode = 0;

  // A new file starts at level 1 again.
  EXPECT_TRUE(main_->ZoomIn());
  Open(kSample);
  EXPECT_EQ(d.zoomLevel, 1);
  EXPECT_FLOAT_EQ(d.rowHeight, main_->LevelOneRowHeight());
}

TEST_F(MainViewTest, BothChannelsStayOnTheCurrentRows) {
  main_->FollowRows(sec_);
  sec_->FollowRows(main_);
  Open(kSample);
  DocumentTestAccess::CurrentPoint(doc_) = 80;
  ASSERT_TRUE(main_->ZoomIn());
  ASSERT_TRUE(main_->ZoomIn());
  sec_->OnUpdate();
  float y = 0;
  EXPECT_TRUE(main_->Layout().RowBaseline(main_->Layout().RowOfPoint(80), y));  // zooming kept it in view
  QWheelEvent down(QPointF(300, 500), main_->mapToGlobal(QPointF(300, 500)), QPoint(), QPoint(0, -240),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(main_, &down);
  EXPECT_GT(main_->Layout().vScroll, 0);
  EXPECT_EQ(sec_->Layout().vScroll, main_->Layout().vScroll);
}

TEST_F(MainViewTest, KeysAndWheelScrollByRowsOnlyWhenZoomed) {
  Open(kSample);
  const WaveLayout& l = main_->Layout();
  Key(main_, Qt::Key_PageDown);
  EXPECT_EQ(l.vScroll, 0);
  QWheelEvent down(QPointF(300, 500), main_->mapToGlobal(QPointF(300, 500)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(main_, &down);
  EXPECT_EQ(l.vScroll, 0);

  // The current point on the top row, so that zooming keeps the top in view.
  DocumentTestAccess::CurrentPoint(doc_) = l.PointOfRow(0);
  ASSERT_TRUE(main_->ZoomIn());
  ASSERT_TRUE(main_->ZoomIn());
  ASSERT_GT(l.MaxVScroll(), 0);
  Key(main_, Qt::Key_PageDown);
  EXPECT_EQ(l.vScroll, std::lround(10 * l.rowHeight));
  QApplication::sendEvent(main_, &down);
  EXPECT_EQ(l.vScroll, std::lround(10 * l.rowHeight) + std::lround(l.rowHeight));
  Key(main_, Qt::Key_End);
  EXPECT_EQ(l.vScroll, l.MaxVScroll());
  EXPECT_EQ(l.hScroll, l.MaxHScroll());
  Key(main_, Qt::Key_Left);
  EXPECT_EQ(l.hScroll, l.MaxHScroll() - 10);  // ten samples at one pixel each
  Key(main_, Qt::Key_Home);
  EXPECT_EQ(l.vScroll, 0);
  EXPECT_EQ(l.hScroll, 0);
}

TEST_F(MainViewTest, UpAndDownMoveTheCurrentPointWithThePanelShown) {
  Open(kSample);
  DocumentTestAccess::CurrentPoint(doc_) = 10;
  Key(main_, Qt::Key_Up);
  EXPECT_EQ(doc_.CurrentPoint(), 11);  // the row above lies higher up the hole
  Key(main_, Qt::Key_Down);
  Key(main_, Qt::Key_Down);
  EXPECT_EQ(doc_.CurrentPoint(), 9);
  doc_.display.showCurrentWave = 0;
  Key(main_, Qt::Key_Up);
  EXPECT_EQ(doc_.CurrentPoint(), 9);
}

TEST_F(MainViewTest, TracesLieInTheirRowsAndEmptyRowsStayBlank) {
  Open(kSample);
  doc_.display.showCurrentWave = 0;
  doc_.display.showTimeCurve = 0;
  doc_.display.showAmpCurve = 0;
  Refresh();
  const WaveLayout& l = main_->Layout();
  const QImage shot = Shot(main_);
  // Ink in a row's band, right of the picks (which carry their markers).
  auto ink = [&](int index) {
    const int y = At(main_, index, 0).y();
    const int half = static_cast<int>(l.rowHeight / 2);
    int count = 0;
    for (int x = static_cast<int>(l.SampleX(300)); x < l.areaRight; ++x) {
      for (int dy = -half; dy <= half; ++dy) count += qGray(shot.pixel(x, y + dy)) < 100;
    }
    return count;
  };
  EXPECT_GT(ink(50), 100);
  EXPECT_EQ(ink(101), 0);  // the empty point at the top of the hole
  EXPECT_EQ(ink(100), 0);
}

TEST_F(MainViewTest, GreyStyleGivesEachSampleItsLevel) {
  test::TempDir dir;
  WriteRampTest(dir.File("ramp.CHT"));
  Open(dir.File("ramp.CHT"));
  doc_.display.trainMode = 4;
  doc_.display.showCurrentWave = 0;
  Refresh();
  const QPoint at = At(main_, 10, 200.5);  // far from both picks
  const int sample = 2048 + (200 - 128) * 8;
  EXPECT_EQ(qGray(Shot(main_).pixel(at)), 255 * sample / 4096);
  doc_.display.phase = -1;
  Refresh();
  EXPECT_EQ(qGray(Shot(main_).pixel(at)), 255 * (4096 - sample) / 4096);
  doc_.display.phase = 1;
  doc_.display.greyMin = 100;
  doc_.display.greyMax = 200;
  Refresh();
  const int level = 100 + 100 * sample / 4096;
  EXPECT_EQ(Shot(main_).pixel(at), qRgb(level, level, level));
}

}  // namespace
}  // namespace tarnix
