// The section bar as a user drives it: choosing the current section, correcting
// its distance, the read-outs that refuse input, the map's flags; and the
// statistics panel against the block it shows.
#include "views/section_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>
#include <vector>

#include "analysis/section_statistics.h"
#include "document/tarnix_doc.h"
#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "views/section_map.h"
#include "render/statistics_picture.h"
#include "views/statistics_panel.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

constexpr int kLen = 64;
constexpr int kPoints = 5;
const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

// Three pipes; section 0 runs 1 → 2 at 0.4 m, section 1 runs 2 → 3 at 0.8 m.
void WriteThreePipeTest(const std::string& path) {
  TestHeader h;
  h.pileLen = 2.0f;
  h.move = 0.5f;
  h.datLen = kLen;
  h.dT = 1.0f;
  h.pipeNum = 3;
  Sections s;
  const std::vector<uint16_t> wave = [] {
    std::vector<uint16_t> w(kLen, 2048);
    for (int i = 12; i < kLen; ++i) w[i] = static_cast<uint16_t>(2048 + std::lround(600 * std::sin(0.2 * (i - 12))));
    return w;
  }();
  const int pipes[2][2] = {{0, 1}, {1, 2}};
  for (int si = 0; si < 2; ++si) {
    s[si].valid = true;
    s[si].sourPipe = pipes[si][0];
    s[si].destPipe = pipes[si][1];
    s[si].crossD = si == 0 ? 0.4f : 0.8f;
    s[si].dT = 1.0f;
    s[si].datLen = kLen;
    for (int k = 0; k < kPoints; ++k) {
      s[si].AppendPoint(wave.data(), kLen, 0.5f * k, 0.5f * k, s[si].crossD, 1.0f, 20.0f + k, 24.0f, 60.0f);
    }
  }
  WriteRawTest(path, h, s, false);
}

void Press(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

class SectionFormTest : public ::testing::Test {
 protected:
  SectionFormTest() : doc_(ui_, recent_) {}

  void SetUp() override {
    const std::string path = dir_.File("hole.CHT");
    WriteThreePipeTest(path);
    ASSERT_TRUE(doc_.OnOpenDocument(path));
    ASSERT_EQ(doc_.Section(0).PointCount(), kPoints);
    form_ = std::make_unique<CSectionForm>(doc_);
    form_->show();
    updatesBefore_ = ui_.viewUpdates;
  }

  template <typename T>
  T* Find(const char* name) {
    T* w = form_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QComboBox* Selector() { return Find<QComboBox>("sectionSelector"); }
  QLineEdit* Distance() { return Find<QLineEdit>("distance"); }

  // Chooses the selector's entry as the keyboard does, which is a user's choice.
  void Choose(int entry) {
    QComboBox* box = Selector();
    while (box->currentIndex() < entry) Press(box, Qt::Key_Down);
    while (box->currentIndex() > entry) Press(box, Qt::Key_Up);
    ASSERT_EQ(box->currentIndex(), entry);
  }

  void EnterDistance(const QString& text) {
    Distance()->setText(text);
    Press(Distance(), Qt::Key_Return);
  }

  test::TempDir dir_;
  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  std::unique_ptr<CSectionForm> form_;
  int updatesBefore_ = 0;
};

TEST_F(SectionFormTest, ShowsTheSectionsInUseAndTheCurrentOne) {
  QComboBox* box = Selector();
  ASSERT_EQ(box->count(), 2);
  EXPECT_EQ(box->itemText(0), QStringLiteral("1-2"));
  EXPECT_EQ(box->itemText(1), QStringLiteral("2-3"));
  EXPECT_EQ(box->currentIndex(), 0);
  EXPECT_EQ(Distance()->text(), QStringLiteral("400"));
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{true, false, false}));

  QStringList titles;
  for (auto* g : form_->findChildren<QGroupBox*>()) titles << g->title();
  EXPECT_EQ(titles, (QStringList{"剖面信息", "检测值1", "检测值2", "曲线光标数据"}));
  QStringList labels;
  for (auto* l : form_->findChildren<QLabel*>()) labels << l->text();
  for (const char* t : {"H1:", "T1:", "A1:", "V1:", "L1:", "H2:", "T2:", "A2:", "V2:", "L2:", "深度:", "声时差:",
                        "跨距差:", "波速差:"}) {
    EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
  }

  // A refresh after the document changed follows it, without asking for updates.
  DocumentTestAccess::CurrentSection(doc_) = 1;
  form_->Refresh();
  EXPECT_EQ(box->currentIndex(), 1);
  EXPECT_EQ(Distance()->text(), QStringLiteral("800"));
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{false, false, true}));
  DocumentTestAccess::Section(doc_, 1).valid = false;
  DocumentTestAccess::CurrentSection(doc_) = -1;
  form_->Refresh();
  EXPECT_EQ(box->count(), 1);
  EXPECT_EQ(box->currentIndex(), -1);
  EXPECT_TRUE(Distance()->text().isEmpty());
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(ui_.viewUpdates, updatesBefore_);
}

TEST_F(SectionFormTest, ChoosingAnEntryMakesItsSectionCurrent) {
  Choose(1);
  EXPECT_EQ(doc_.CurrentSection(), 1);
  // Pipes 2 and 3 counted from 1: index 2·1/2 + 1.
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(Distance()->text(), QStringLiteral("800"));
  EXPECT_EQ(ui_.viewUpdates, updatesBefore_ + 1);

  Choose(0);
  EXPECT_EQ(doc_.CurrentSection(), 0);
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Distance()->text(), QStringLiteral("400"));
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(SectionFormTest, TheFirstSectionWithThePipesWins) {
  DocumentTestAccess::Section(doc_, 2) = DocumentTestAccess::Section(doc_, 1);
  DocumentTestAccess::Section(doc_, 2).crossD = 0.9f;
  form_->Refresh();
  ASSERT_EQ(Selector()->count(), 3);
  ASSERT_EQ(Selector()->itemText(2), QStringLiteral("2-3"));
  Choose(2);
  EXPECT_EQ(doc_.CurrentSection(), 1);
  EXPECT_EQ(Distance()->text(), QStringLiteral("800"));
}

TEST_F(SectionFormTest, AnEntryMatchingNoSectionChangesNothing) {
  DocumentTestAccess::Section(doc_, 1).destPipe = 4;  // the list still shows "2-3"
  Choose(1);
  EXPECT_EQ(doc_.CurrentSection(), 0);
  EXPECT_EQ(form_->Map()->Flags(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Distance()->text(), QStringLiteral("400"));
  EXPECT_EQ(ui_.viewUpdates, updatesBefore_);
}

TEST_F(SectionFormTest, EnteringADistanceMovesTheSpansOfTheRange) {
  SectionRecord& s = DocumentTestAccess::Section(doc_, 0);
  s.firstIndex = 1;
  s.lastIndex = 3;
  // Spans apart from the distance, as a hand correction leaves them.
  std::vector<float> spans;
  for (int i = 0; i < kPoints; ++i) spans.push_back(s.points[i].span += 0.01f * i);
  const auto otherSpan = doc_.Section(1).points[2].span;

  EnterDistance(QStringLiteral("500"));

  EXPECT_EQ(Find<QLineEdit>("L1")->text(), QStringLiteral("500mm"));
  EXPECT_FLOAT_EQ(s.crossD, 0.5f);
  for (int i = 0; i < kPoints; ++i) {
    const float expected = i >= 1 && i <= 3 ? spans[i] + 0.1f : spans[i];
    EXPECT_NEAR(s.points[i].span, expected, 1e-6) << i;
    ASSERT_GT(s.arrivalTime[i], 0.0f);
    EXPECT_NEAR(s.velocity[i], s.points[i].span / s.arrivalTime[i] * 1000.0f, 1e-4) << i;
  }
  EXPECT_EQ(doc_.Section(1).points[2].span, otherSpan);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(ui_.viewUpdates, updatesBefore_ + 1);

  // Entering the old distance again restores the spans.
  EnterDistance(QStringLiteral("400"));
  for (int i = 0; i < kPoints; ++i) EXPECT_NEAR(s.points[i].span, spans[i], 1e-6) << i;
}

TEST_F(SectionFormTest, EnteringADistanceWithoutACurrentSectionDoesNothing) {
  DocumentTestAccess::CurrentSection(doc_) = -1;
  const float span = doc_.Section(0).points[0].span;
  EnterDistance(QStringLiteral("500"));
  EXPECT_TRUE(Find<QLineEdit>("L1")->text().isEmpty());
  EXPECT_EQ(doc_.Section(0).points[0].span, span);
  EXPECT_FLOAT_EQ(doc_.Section(0).crossD, 0.4f);
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(ui_.viewUpdates, updatesBefore_);
}

TEST_F(SectionFormTest, ReadOutsRefuseKeysAndFocus) {
  form_->ShowCursor(1, 12.5, 101.25, 80.125, 4.25, 0.805);
  form_->ShowCursorDifferences(12.5, -2.5, 0.4, 0.0);
  EXPECT_EQ(Find<QLineEdit>("H2")->text(), QStringLiteral("12.50m"));
  EXPECT_EQ(Find<QLineEdit>("L2")->text(), QStringLiteral("805mm"));
  EXPECT_TRUE(Find<QLineEdit>("H1")->text().isEmpty());
  EXPECT_EQ(Find<QLineEdit>("spanDiff")->text(), QStringLiteral("400mm"));
  EXPECT_EQ(Find<QLineEdit>("velocityDiff")->text(), QStringLiteral("0km/s"));

  for (const char* name :
       {"H1", "T1", "A1", "V1", "L1", "H2", "T2", "A2", "V2", "L2", "depth", "timeDiff", "spanDiff", "velocityDiff"}) {
    QLineEdit* field = Find<QLineEdit>(name);
    const QString before = field->text();
    Press(field, Qt::Key_7, QStringLiteral("7"));
    Press(field, Qt::Key_Backspace);
    Press(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), before) << name;

    QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), field->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &click);
    EXPECT_FALSE(field->hasFocus()) << name;
  }
  // The distance is the one field that takes input.
  Distance()->clear();
  Press(Distance(), Qt::Key_7, QStringLiteral("7"));
  EXPECT_EQ(Distance()->text(), QStringLiteral("7"));
}

TEST(SectionMapTest, KeepsOneFlagPerPairOfPipes) {
  CSectionMap map;
  for (int n = 0; n <= 5; ++n) {
    map.SetPipeCount(n);
    EXPECT_EQ(map.Flags().size(), static_cast<size_t>(n * (n - 1) / 2)) << n;
  }
  map.SetPipeCount(9);
  EXPECT_EQ(map.PipeCount(), 5);

  map.SelectPair(2, 4);
  std::vector<bool> expected(10, false);
  expected[8] = true;  // 4·3/2 + 2
  EXPECT_EQ(map.Flags(), expected);
  map.SelectPair(4, 2);
  EXPECT_EQ(map.Flags(), expected);
  EXPECT_EQ(map.SelectedPair(), (std::pair{2, 4}));

  map.SelectPair(1, 1);
  EXPECT_FALSE(map.SelectedPair().has_value());
  map.SelectPair(0, 3);
  map.SetPipeCount(3);  // a new layout drops the old choice
  EXPECT_EQ(map.Flags(), (std::vector<bool>{false, false, false}));
}

// Pixels in the colour of the selected pair's pipes.
int RedPixels(CSectionMap& map) {
  QImage image(map.size(), QImage::Format_RGB32);
  map.render(&image);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 110 && c.blue() < 110) ++count;
    }
  }
  return count;
}

TEST(SectionMapTest, DrawsTheSelectedPairOnlyWhenOneIsSet) {
  CSectionMap map;
  map.resize(200, 140);
  map.SetPipeCount(4);
  EXPECT_EQ(RedPixels(map), 0);
  map.SelectPair(0, 2);
  EXPECT_GT(RedPixels(map), 20);
  map.ClearFlags();
  EXPECT_EQ(RedPixels(map), 0);
}

class StatisticsPanelTest : public ::testing::Test {
 protected:
  StatisticsPanelTest() : doc_(ui_, recent_) {}

  static int DarkPixels(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) n += qGray(image.pixel(x, y)) < 128;
    }
    return n;
  }

  // Every section in use has its values in its own column, the rest of the
  // block's columns stay blank; the empty F critical value stays blank too.
  void ExpectColumns(const CStatisticsPanel& panel) {
    const StatisticsBlock block = BuildStatisticsBlock(doc_.AllSections(), doc_.Algorithm(), doc_.samplingStep);
    const int count = static_cast<int>(block.sections.size());
    const StatisticsPictureLayout l = LayoutStatisticsPicture(count, doc_.pageSetup.sectionsPerPage);
    const QImage& image = panel.Picture();
    ASSERT_EQ(image.size(), l.ImageSize());
    for (int i = 0; i < l.blocks * l.perBlock; ++i) {
      const QRect column = l.ValueColumn(i / l.perBlock, i % l.perBlock);
      for (int r : {0, 6, 20, 23}) {
        const QRect cell(column.left() + 2, l.RowTop(r) + 2, column.width() - 4, 16);
        if (i < count && r != 20) {
          EXPECT_GT(DarkPixels(image, cell), 0) << "section " << i << " row " << r;
        } else {
          EXPECT_EQ(DarkPixels(image, cell), 0) << "section " << i << " row " << r;
        }
      }
    }
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
};

TEST_F(StatisticsPanelTest, EachSectionInItsColumnInBlocksOfThePageSetting) {
  ASSERT_TRUE(doc_.OnOpenDocument(kSample));
  CStatisticsPanel panel(doc_);
  ExpectColumns(panel);
  EXPECT_EQ(panel.minimumSize(), panel.Picture().size());

  // A change of the document shows after a refresh: one section per block,
  // then fewer sections.
  doc_.pageSetup.sectionsPerPage = 1;
  panel.Refresh();
  ExpectColumns(panel);
  EXPECT_EQ(LayoutStatisticsPicture(2, 1).ImageSize(), panel.Picture().size());
  DocumentTestAccess::Section(doc_, 1).valid = false;
  panel.Refresh();
  ExpectColumns(panel);
}

TEST_F(StatisticsPanelTest, AnEmptyDocumentShowsOneEmptyBlock) {
  CStatisticsPanel panel(doc_);
  ExpectColumns(panel);
}

}  // namespace
}  // namespace tarnix
