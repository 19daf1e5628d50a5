// The filter and sound-time correction dialogs as a user drives them: what each
// control writes into which channel's settings, which waveforms it rebuilds,
// and what Cancel brings back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "document/tarnix_doc.h"
#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "processing/channel_filter.h"
#include "support/temp_dir.h"
#include "dialogs/dlg_filter.h"
#include "dialogs/dlg_time_correction.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

constexpr int kLen = 128;
constexpr float kDt = 2.0f;  // µs

// A 30 kHz burst with a 150 kHz ripple on a slow drift: both filters change it.
std::vector<uint16_t> Wave(int onset, int seed) {
  std::vector<uint16_t> s(kLen);
  for (int i = 0; i < kLen; ++i) {
    double v = 2.0 * i + 40.0 * std::sin(2 * M_PI * 150e3 * i * kDt * 1e-6 + seed);
    if (i >= onset) v += 600.0 * std::sin(2 * M_PI * 30e3 * (i - onset) * kDt * 1e-6);
    s[i] = static_cast<uint16_t>(2048 + std::lround(v));
  }
  return s;
}

void WriteTwoReceiverTest(const std::string& path) {
  TestHeader h;
  h.pileLen = 1.0f;
  h.move = 0.5f;
  h.datLen = kLen;
  h.dT = kDt;
  Sections s;
  for (int si = 0; si < 2; ++si) {
    s[si].valid = true;
    s[si].crossD = si == 0 ? 0.5f : 0.8f;
    s[si].dT = kDt;
    s[si].datLen = kLen;
    for (int k = 0; k < 3; ++k) {
      const auto w = Wave(20 + 3 * k + 5 * si, k + 3 * si);
      s[si].AppendPoint(w.data(), kLen, 0.5f * k, 0.5f * k, s[si].crossD, 0.0f, 40.0f + k, 50.0f, 60.0f);
    }
  }
  s[0].RebuildAmpDb();
  s[1].RebuildAmpDb();
  WriteRawTest(path, h, s, false);
}

using Waves = std::vector<std::vector<uint16_t>>;

// The working waveforms of a section, or its waveforms as read.
Waves Samples(const SectionRecord& s, bool recorded = false) {
  Waves out;
  for (const CSamNode& p : s.points) out.push_back(recorded ? p.rawSamples : p.samples);
  return out;
}
Waves Recorded(const SectionRecord& s) { return Samples(s, true); }

// The recorded waveforms through the given settings, computed apart from the document.
Waves FilteredBy(const SectionRecord& s, ChannelFilter filter) {
  Waves out;
  for (CSamNode p : s.points) {
    p.samples = p.rawSamples;
    FilterPointSamples(p, filter, kDt);
    out.push_back(p.samples);
  }
  return out;
}

auto Tie(const ChannelFilter& f) { return std::tuple(f.highPassOn, f.highPassKHz, f.lowPassOn, f.lowPassKHz); }

class ProcessingDialogTest : public ::testing::Test {
 protected:
  ProcessingDialogTest() : doc_(ui_, recent_) {}

  void OpenTest() {
    const std::string path = dir_.File("hole.CHT");
    WriteTwoReceiverTest(path);
    ASSERT_TRUE(doc_.OnOpenDocument(path));
    ASSERT_EQ(doc_.CurrentSection(), 0);
    doc_.SetModifiedFlag(false);
  }

  template <typename Dialog>
  Dialog& Show(int channel) {
    auto dialog = std::make_unique<Dialog>(doc_, channel, [this] { ++repaints_; });
    Dialog& d = *dialog;
    dialog_ = std::move(dialog);
    d.show();
    return d;
  }

  template <typename T>
  T* Find(const char* name) {
    T* w = dialog_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  void PressEnter(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }

  test::TempDir dir_;
  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  std::unique_ptr<QDialog> dialog_;
  int repaints_ = 0;
};

TEST_F(ProcessingDialogTest, BothCommandsRefuseWithoutAFile) {
  CDlgFilter::Run(doc_, 0, [this] { ++repaints_; }, nullptr, nullptr);
  CDlgTimeCorrection::Run(doc_, 1, [this] { ++repaints_; }, nullptr, nullptr);
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"请先打开文件再进行滤波!", "请先打开文件！"}));
  EXPECT_EQ(repaints_, 0);
  EXPECT_FALSE(doc_.IsModified());
}

// --- 数字滤波 ----------------------------------------------------------------

TEST_F(ProcessingDialogTest, FilterOpensOnThePaneChannelsSettings) {
  OpenTest();
  DocumentTestAccess::Filter(doc_, 1) = ChannelFilter{true, 1.5f, false, 49.6f};
  auto& dialog = Show<CDlgFilter>(1);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数字滤波"));
  EXPECT_TRUE(Find<QRadioButton>("channel2")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("highPass")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("lowPass")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("highPassEdit")->text(), QStringLiteral("1.50"));
  EXPECT_EQ(Find<QLineEdit>("lowPassEdit")->text(), QStringLiteral("50"));
  EXPECT_TRUE(Find<QLineEdit>("highPassEdit")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("lowPassEdit")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("highPassEdit")->maxLength(), 19);
  // Showing the settings applies nothing.
  EXPECT_EQ(Samples(doc_.Section(1)), Recorded(doc_.Section(1)));
  EXPECT_EQ(repaints_, 0);
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(ProcessingDialogTest, FilterRefusesCutOffsOutOfRangeOrOrderInTheTitle) {
  OpenTest();
  auto& dialog = Show<CDlgFilter>(0);
  auto* high = Find<QLineEdit>("highPassEdit");
  auto* low = Find<QLineEdit>("lowPassEdit");
  Find<QCheckBox>("highPass")->click();
  const Waves at20 = Samples(doc_.Section(0));
  ASSERT_EQ(at20, FilteredBy(doc_.Section(0), ChannelFilter{true, 20.0f, false, 50.0f}));
  ASSERT_NE(at20, Recorded(doc_.Section(0)));
  const int applied = repaints_;

  struct Step {
    QLineEdit* field;
    const char* text;
    const char* title;
  };
  for (const Step& step : {Step{low, "10", "高通值必须小于低通值"}, Step{low, "1", "低通范围为2-500kHz"},
                           Step{low, "501", "低通范围为2-500kHz"}, Step{low, "12", "高通值必须小于低通值"},
                           Step{high, "25", "高通范围为0.01-20kHz"}, Step{high, "0.0099", "高通范围为0.01-20kHz"},
                           Step{high, "15", "高通值必须小于低通值"}}) {
    step.field->setText(QString::fromUtf8(step.text));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(step.title)) << step.text;
    EXPECT_EQ(Samples(doc_.Section(0)), at20) << step.text;
  }
  EXPECT_EQ(repaints_, applied);
  // Refused values are still kept, so the next check compares against them.
  EXPECT_FLOAT_EQ(doc_.Filter(0).highPassKHz, 15.0f);
  EXPECT_FLOAT_EQ(doc_.Filter(0).lowPassKHz, 12.0f);

  // A high-pass equal to the low-pass is accepted.
  low->setText(QStringLiteral("15"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数字滤波"));
  EXPECT_EQ(Samples(doc_.Section(0)), FilteredBy(doc_.Section(0), ChannelFilter{true, 15.0f, false, 15.0f}));
  EXPECT_EQ(repaints_, applied + 1);

  // Read as the C library reads a number: trailing text ignored, nothing readable is 0.
  high->setText(QStringLiteral("2.5kHz"));
  EXPECT_FLOAT_EQ(doc_.Filter(0).highPassKHz, 2.5f);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数字滤波"));
  high->setText(QStringLiteral("abc"));
  EXPECT_FLOAT_EQ(doc_.Filter(0).highPassKHz, 0.0f);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("高通范围为0.01-20kHz"));
}

TEST_F(ProcessingDialogTest, FilterBoxesSwitchFilteringAndOffBringsBackTheRecordExactly) {
  OpenTest();
  Show<CDlgFilter>(0);
  auto* lowBox = Find<QCheckBox>("lowPass");
  auto* low = Find<QLineEdit>("lowPassEdit");
  const Waves recorded = Recorded(doc_.Section(0));
  const Waves otherChannel = Samples(doc_.Section(1));

  lowBox->click();
  EXPECT_TRUE(doc_.Filter(0).lowPassOn);
  EXPECT_TRUE(low->isEnabled());
  EXPECT_EQ(Samples(doc_.Section(0)), FilteredBy(doc_.Section(0), ChannelFilter{false, 20.0f, true, 50.0f}));
  EXPECT_NE(Samples(doc_.Section(0)), recorded);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(repaints_, 1);

  low->setText(QStringLiteral("30"));
  EXPECT_EQ(Samples(doc_.Section(0)), FilteredBy(doc_.Section(0), ChannelFilter{false, 20.0f, true, 30.0f}));

  lowBox->click();
  EXPECT_FALSE(doc_.Filter(0).lowPassOn);
  EXPECT_FALSE(low->isEnabled());
  EXPECT_EQ(Samples(doc_.Section(0)), recorded);
  EXPECT_EQ(Samples(doc_.Section(1)), otherChannel);
}

TEST_F(ProcessingDialogTest, FilterRadioChoosesTheTargetWhileTheFieldsStayWithTheOpenedChannel) {
  OpenTest();
  // Channel 2's own settings.
  const ChannelFilter second{false, 20.0f, true, 30.0f};
  const ChannelFilter opened = doc_.Filter(0);
  doc_.SetFilter(1, second);
  const Waves openedFirst = Samples(doc_.Section(0));
  Show<CDlgFilter>(0);
  auto* high = Find<QLineEdit>("highPassEdit");
  Find<QCheckBox>("highPass")->click();
  high->setText(QStringLiteral("5"));
  const Waves first = FilteredBy(doc_.Section(0), ChannelFilter{true, 5.0f, false, 50.0f});
  ASSERT_EQ(Samples(doc_.Section(0)), first);

  Find<QRadioButton>("channel2")->click();
  EXPECT_EQ(Samples(doc_.Section(1)), FilteredBy(doc_.Section(1), second));
  EXPECT_EQ(Tie(doc_.Filter(1)), Tie(second));

  // The field still edits channel 1's cut-off; channel 2 is re-filtered with its own.
  high->setText(QStringLiteral("8"));
  EXPECT_FLOAT_EQ(doc_.Filter(0).highPassKHz, 8.0f);
  EXPECT_EQ(Tie(doc_.Filter(1)), Tie(second));
  EXPECT_EQ(Samples(doc_.Section(1)), FilteredBy(doc_.Section(1), second));
  EXPECT_EQ(Samples(doc_.Section(0)), first);

  // The boxes set the target's flags.
  Find<QCheckBox>("lowPass")->click();
  EXPECT_FALSE(doc_.Filter(0).lowPassOn);
  EXPECT_TRUE(doc_.Filter(1).lowPassOn);
  Find<QCheckBox>("lowPass")->click();
  EXPECT_FALSE(doc_.Filter(1).lowPassOn);
  EXPECT_EQ(Samples(doc_.Section(1)), Recorded(doc_.Section(1)));
  EXPECT_TRUE(doc_.Filter(0).highPassOn);

  // Cancel restores both channels as they were on opening.
  Find<QPushButton>("cancel")->click();
  EXPECT_EQ(Tie(doc_.Filter(1)), Tie(second));
  EXPECT_EQ(Samples(doc_.Section(1)), FilteredBy(doc_.Section(1), second));
  EXPECT_EQ(Tie(doc_.Filter(0)), Tie(opened));
  EXPECT_EQ(Samples(doc_.Section(0)), openedFirst);
}

TEST_F(ProcessingDialogTest, FilterCancelRestoresAndOkKeepsWhatWasTyped) {
  OpenTest();
  const ChannelFilter opened{false, 2.5f, true, 80.0f};
  DocumentTestAccess::Filter(doc_, 0) = opened;
  DocumentTestAccess::ApplyChannelFilter(doc_, 0);
  const Waves before = Samples(doc_.Section(0));
  doc_.SetModifiedFlag(false);

  auto& cancelled = Show<CDlgFilter>(0);
  Find<QCheckBox>("highPass")->click();
  Find<QLineEdit>("highPassEdit")->setText(QStringLiteral("10"));
  Find<QLineEdit>("lowPassEdit")->setText(QStringLiteral("40"));
  Find<QCheckBox>("lowPass")->click();
  ASSERT_NE(Samples(doc_.Section(0)), before);
  doc_.SetModifiedFlag(false);
  const int repaints = repaints_;
  Find<QPushButton>("cancel")->click();
  EXPECT_FALSE(cancelled.isVisible());
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(Tie(doc_.Filter(0)), Tie(opened));
  EXPECT_EQ(Samples(doc_.Section(0)), before);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(repaints_, repaints + 1);

  // "确定" does not validate again: an out-of-range value stays as typed.
  auto& accepted = Show<CDlgFilter>(0);
  Find<QLineEdit>("lowPassEdit")->setText(QStringLiteral("900"));
  Find<QPushButton>("ok")->click();
  EXPECT_EQ(accepted.result(), QDialog::Accepted);
  EXPECT_FLOAT_EQ(doc_.Filter(0).lowPassKHz, 900.0f);
  EXPECT_TRUE(doc_.Filter(0).lowPassOn);
}

// --- 声时修正 ----------------------------------------------------------------

TEST_F(ProcessingDialogTest, CorrectionEnterAppliesToTheChosenChannelAndStaysOpen) {
  OpenTest();
  DocumentTestAccess::TimeCorrection(doc_, 1) = 4;
  auto& dialog = Show<CDlgTimeCorrection>(1);
  auto* edit = Find<QLineEdit>("correction");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("声时修正"));
  EXPECT_TRUE(Find<QRadioButton>("channel2")->isChecked());
  EXPECT_EQ(edit->text(), QStringLiteral("4"));
  Find<QRadioButton>("channel1")->click();
  EXPECT_EQ(edit->text(), QStringLiteral("0"));
  EXPECT_EQ(repaints_, 0);

  // 3 µs at 2 µs per sample: one sample earlier.
  edit->setText(QStringLiteral("3"));
  PressEnter(edit);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(doc_.TimeCorrection(0), 3);
  EXPECT_EQ(doc_.TimeCorrection(1), 4);
  for (const CSamNode& p : doc_.Section(0).points) {
    EXPECT_EQ(std::vector<uint16_t>(p.samples.begin(), p.samples.end() - 1),
              std::vector<uint16_t>(p.rawSamples.begin() + 1, p.rawSamples.end()));
    EXPECT_EQ(p.samples.back(), 2048);
  }
  EXPECT_EQ(Samples(doc_.Section(1)), Recorded(doc_.Section(1)));
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(repaints_, 1);

  // The same again for a later correction, then "确定" closes.
  edit->setText(QStringLiteral("-2"));
  Find<QPushButton>("ok")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(doc_.TimeCorrection(0), -2);
  for (const CSamNode& p : doc_.Section(0).points) {
    EXPECT_EQ(p.samples[0], 2048);
    EXPECT_EQ(p.samples[1], p.rawSamples[0]);
  }
}

TEST_F(ProcessingDialogTest, CorrectionCancelBringsBackBothChannels) {
  OpenTest();
  DocumentTestAccess::TimeCorrection(doc_, 1) = 4;
  DocumentTestAccess::ApplyChannelFilter(doc_, 1);
  const Waves secondBefore = Samples(doc_.Section(1));
  auto& dialog = Show<CDlgTimeCorrection>(0);
  auto* edit = Find<QLineEdit>("correction");
  edit->setText(QStringLiteral("6"));
  PressEnter(edit);
  Find<QRadioButton>("channel2")->click();
  edit->setText(QStringLiteral("10"));
  PressEnter(edit);
  ASSERT_EQ(doc_.TimeCorrection(0), 6);
  ASSERT_EQ(doc_.TimeCorrection(1), 10);
  ASSERT_NE(Samples(doc_.Section(1)), secondBefore);
  doc_.SetModifiedFlag(false);
  const int repaints = repaints_;

  Find<QPushButton>("cancel")->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(doc_.TimeCorrection(0), 0);
  EXPECT_EQ(doc_.TimeCorrection(1), 4);
  EXPECT_EQ(Samples(doc_.Section(1)), secondBefore);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(repaints_, repaints + 1);
}

}  // namespace
}  // namespace tarnix
