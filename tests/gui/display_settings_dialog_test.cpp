// The display settings dialog as a user drives it: every control writes the
// document at once, Cancel restores what it should and nothing more, and the
// grey range is refused when it is out of order.
#include "dialogs/dlg_display_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <deque>
#include <tuple>
#include <vector>

#include "document/tarnix_doc.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

constexpr int kPaneHeight = 620;
constexpr int kPoints = 20;
const QString kOrderMessage = QStringLiteral("灰度范围不正确，最小值不能大于最大值，请检查");

// Answers the dialog's message boxes and colour chooser without showing them.
class AnsweredDialog : public CDlgDisplaySettings {
 public:
  using CDlgDisplaySettings::CDlgDisplaySettings;
  std::vector<QString> messages;
  std::deque<QColor> colours;

 protected:
  void ShowMessage(const QString& text) override { messages.push_back(text); }
  std::optional<QColor> ChooseColour(const QColor&) override {
    if (colours.empty()) return std::nullopt;
    QColor c = colours.front();
    colours.pop_front();
    return c;
  }
};

// The fields "取消" writes back.
auto CancelledFields(const DisplaySettings& d) {
  return std::tuple(d.showWaveforms, d.depthReference, d.panelHeight, d.spectrumRefine, d.curvePosition, d.waveGain,
                    d.phase, d.showCurrentWave, d.showTimeCurve, d.showAmpCurve, d.trainMode, d.intervalGain,
                    d.valueGain, d.positiveThreshold, d.rowHeight, d.rowHeightInt, d.colours);
}

class DisplayDialogTest : public ::testing::Test {
 protected:
  DisplayDialogTest() : doc_(ui_, recent_) {
    DocumentTestAccess::Header(doc_).pileLen = 10.0f;  // 21 rows at 0.5 m
    DocumentTestAccess::Header(doc_).move = 0.5f;
    const std::vector<uint16_t> wave(16, 2048);
    for (int s = 0; s < 2; ++s) {
      DocumentTestAccess::Section(doc_, s).valid = true;
      for (int i = 0; i < kPoints; ++i) {
        DocumentTestAccess::Section(doc_, s).AppendPoint(wave.data(), 16, 0.5f * i, 0.5f * i, 0.5f, 0.0f, 10.0f, 12.0f, 60.0f);
      }
    }
    DocumentTestAccess::CurrentSection(doc_) = 0;
    doc_.display.rowHeight = 12.0f;
    doc_.display.rowHeightInt = 12;
  }

  AnsweredDialog& Open() {
    dialog_ = std::make_unique<AnsweredDialog>(doc_, kPaneHeight, [this] { ++repaints_; });
    dialog_->show();
    return *dialog_;
  }

  template <typename T>
  T* Find(const char* name) {
    T* w = dialog_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  // Types into a grey field and presses Enter there.
  void EnterGrey(const char* name, const QString& text) {
    QLineEdit* edit = Find<QLineEdit>(name);
    edit->setText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  std::unique_ptr<AnsweredDialog> dialog_;
  int repaints_ = 0;
};

TEST_F(DisplayDialogTest, ShowsEveryTextAndTheDocumentsValues) {
  doc_.display.waveGain = 10;
  doc_.display.trainMode = 3;
  doc_.display.phase = -1;
  doc_.display.depthReference = 2;
  doc_.display.showWaveforms = 0;
  Open();
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("显示设置"));
  QStringList texts;
  for (auto* w : dialog_->findChildren<QLabel*>()) texts << w->text();
  for (auto* w : dialog_->findChildren<QAbstractButton*>()) texts << w->text();
  for (auto* w : dialog_->findChildren<QGroupBox*>()) texts << w->title();
  for (const char* t : {"图形显示方式", "波形图", "频谱图", "曲线位置", "凸显区间", "波形放大", "频谱细化倍数",
                        "曲线反相", "当前波形", "声时曲线", "声幅曲线", "波列模式", "数值放大", "区间放大",
                        "正向阈值", "发射方式", "位置", "发射", "接收1", "接收2", "中心", "颜色设置", "声速曲线",
                        "灰度范围", "确定", "取消"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
  }
  auto* gain = Find<QComboBox>("waveGain");
  ASSERT_EQ(gain->count(), 8);
  EXPECT_EQ(gain->itemText(7), QStringLiteral("20"));
  EXPECT_EQ(gain->currentText(), QStringLiteral("10"));
  EXPECT_EQ(Find<QComboBox>("trainMode")->currentText(), QStringLiteral("线段"));
  EXPECT_EQ(Find<QComboBox>("curvePosition")->itemText(2), QStringLiteral("下端"));
  EXPECT_EQ(Find<QComboBox>("transmitterMode")->itemText(1), QStringLiteral("发射在下"));
  EXPECT_TRUE(Find<QCheckBox>("phase")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("refReceiver2")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("showSpectra")->isChecked());
  EXPECT_EQ(Find<QScrollBar>("panelHeight")->minimum(), 50);
  EXPECT_EQ(Find<QScrollBar>("panelHeight")->maximum(), 300);
  EXPECT_EQ(Find<QScrollBar>("spectrumRefine")->maximum(), 32);
}

TEST_F(DisplayDialogTest, RefinementMovesInPowersOfTwo) {
  Open();
  auto* bar = Find<QScrollBar>("spectrumRefine");
  auto* edit = Find<QLineEdit>("spectrumRefineEdit");
  std::vector<int> seen;
  for (int i = 0; i < 6; ++i) {
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    seen.push_back(doc_.display.spectrumRefine);
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 4, 8, 16, 32, 32}));
  EXPECT_EQ(bar->value(), 32);
  EXPECT_EQ(edit->text(), QStringLiteral("32"));
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(doc_.display.spectrumRefine, 8);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(doc_.display.spectrumRefine, 4);
  bar->setSliderPosition(5);  // a dragged thumb
  EXPECT_EQ(doc_.display.spectrumRefine, 8);
  EXPECT_EQ(bar->value(), 8);
  EXPECT_EQ(repaints_, 9);
}

TEST_F(DisplayDialogTest, PanelControlsChangeTheRowHeight) {
  Open();
  auto* current = Find<QCheckBox>("showCurrentWave");
  current->click();
  EXPECT_EQ(doc_.display.showCurrentWave, 0);
  EXPECT_FLOAT_EQ(doc_.display.rowHeight, 12.0f + 200.0f / kPoints);
  current->click();
  EXPECT_EQ(doc_.display.showCurrentWave, 1);
  EXPECT_FLOAT_EQ(doc_.display.rowHeight, 12.0f);
  EXPECT_EQ(doc_.display.rowHeightInt, 12);

  auto* height = Find<QScrollBar>("panelHeight");
  height->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(doc_.display.panelHeight, 250);
  EXPECT_FLOAT_EQ(doc_.display.rowHeight, (kPaneHeight - 250) / 21.0f);
  EXPECT_EQ(Find<QLineEdit>("panelHeightEdit")->text(), QStringLiteral("250"));

  auto* threshold = Find<QScrollBar>("positiveThreshold");
  threshold->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(doc_.display.positiveThreshold, 10);
  Find<QScrollBar>("valueGain")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(doc_.display.valueGain, 3);
}

TEST_F(DisplayDialogTest, ProbeGeometrySetsTheOffsetAndRebuildsDepths) {
  Open();
  for (auto& s : DocumentTestAccess::AllSections(doc_)) s.depths.clear();
  Find<QComboBox>("transmitterMode")->setCurrentIndex(1);
  Find<QRadioButton>("refReceiver2")->click();
  EXPECT_EQ(doc_.display.transmitterMode, 1);
  EXPECT_EQ(doc_.display.depthReference, 2);
  EXPECT_FLOAT_EQ(doc_.display.referenceOffset, -0.5f);
  EXPECT_EQ(doc_.Section(0).depths.size(), static_cast<size_t>(kPoints));
  EXPECT_EQ(doc_.Section(1).depths.size(), static_cast<size_t>(kPoints));
  EXPECT_TRUE(doc_.Section(2).depths.empty());
}

TEST_F(DisplayDialogTest, CancelRestoresTheRememberedFieldsOnly) {
  const DisplaySettings before = doc_.display;
  AnsweredDialog& d = Open();
  d.colours = {QColor(10, 20, 30), QColor(40, 50, 60)};
  Find<QRadioButton>("showSpectra")->click();
  Find<QComboBox>("curvePosition")->setCurrentIndex(2);
  Find<QComboBox>("waveGain")->setCurrentIndex(6);
  Find<QComboBox>("trainMode")->setCurrentIndex(3);
  Find<QCheckBox>("phase")->click();
  Find<QCheckBox>("showCurrentWave")->click();
  Find<QCheckBox>("showTimeCurve")->click();
  Find<QCheckBox>("showAmpCurve")->click();
  Find<QScrollBar>("panelHeight")->triggerAction(QAbstractSlider::SliderPageStepSub);
  Find<QScrollBar>("spectrumRefine")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  Find<QScrollBar>("valueGain")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Find<QScrollBar>("intervalGain")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Find<QScrollBar>("positiveThreshold")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Find<QPushButton>("timeCurveColour")->click();
  Find<QPushButton>("velocityCurveColour")->click();
  Find<QComboBox>("transmitterMode")->setCurrentIndex(1);
  Find<QRadioButton>("refCentre")->click();
  EnterGrey("greyMin", QStringLiteral("30"));
  EXPECT_EQ(doc_.display.colours[kTimeCurveColour], Rgb(10, 20, 30));
  EXPECT_EQ(doc_.display.trainMode, 4);
  EXPECT_EQ(doc_.display.waveGain, 15);
  EXPECT_EQ(doc_.display.greyMin, 30);

  const int repaintsBefore = repaints_;
  Find<QPushButton>("cancel")->click();
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_GT(repaints_, repaintsBefore);
  const DisplaySettings& now = doc_.display;
  EXPECT_EQ(CancelledFields(now), CancelledFields(before));
  // These keep what the dialog made of them.
  EXPECT_EQ(now.greyMin, 30);
  EXPECT_EQ(now.transmitterMode, 1);
  EXPECT_FLOAT_EQ(now.referenceOffset, -0.4f);
}

TEST_F(DisplayDialogTest, OkKeepsTheChanges) {
  Open();
  Find<QComboBox>("trainMode")->setCurrentIndex(1);
  Find<QCheckBox>("phase")->click();
  Find<QLineEdit>("greyMax")->setText(QStringLiteral("200"));  // read by the button itself
  Find<QPushButton>("ok")->click();
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(doc_.display.trainMode, 2);
  EXPECT_EQ(doc_.display.phase, -1);
  EXPECT_EQ(doc_.display.greyMax, 200);
}

TEST_F(DisplayDialogTest, GreyRangeOutOfOrderOrRangeIsRefused) {
  AnsweredDialog& d = Open();
  Find<QLineEdit>("greyMin")->setText(QStringLiteral("200"));
  EnterGrey("greyMax", QStringLiteral("100"));
  ASSERT_EQ(d.messages.size(), 1u);
  EXPECT_EQ(d.messages[0], kOrderMessage);
  EXPECT_EQ(doc_.display.greyMin, 0);
  EXPECT_EQ(doc_.display.greyMax, 255);

  EnterGrey("greyMax", QStringLiteral("256"));
  ASSERT_EQ(d.messages.size(), 2u);
  EXPECT_NE(d.messages[1], kOrderMessage);
  EXPECT_EQ(doc_.display.greyMax, 255);

  // "确定" reads the fields too and stays open on a bad range.
  Find<QLineEdit>("greyMax")->setText(QStringLiteral("150"));
  Find<QPushButton>("ok")->click();
  EXPECT_EQ(d.messages.size(), 3u);
  EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(DisplayDialogTest, LeavingAnOutOfOrderFieldPutsTheFocusBack) {
  Open();
  dialog_->activateWindow();
  QApplication::processEvents();
  auto* min = Find<QLineEdit>("greyMin");
  auto* max = Find<QLineEdit>("greyMax");
  min->setFocus(Qt::TabFocusReason);
  min->setText(QStringLiteral("240"));
  max->setText(QStringLiteral("10"));
  Find<QComboBox>("trainMode")->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_EQ(dialog_->messages.size(), 1u);
  EXPECT_EQ(dialog_->messages[0], kOrderMessage);
  EXPECT_TRUE(min->hasFocus());
  EXPECT_EQ(doc_.display.greyMin, 0);
}

TEST_F(DisplayDialogTest, PreviewPaintsTheGreyRamp) {
  Open();
  EnterGrey("greyMin", QStringLiteral("255"));
  EXPECT_TRUE(dialog_->messages.empty());
  QWidget* preview = Find<QWidget>("greyPreview");
  QImage white = preview->grab().toImage();
  ASSERT_GT(white.width(), 10);
  for (int x = 0; x < white.width(); ++x) EXPECT_EQ(white.pixelColor(x, white.height() / 2), QColor(255, 255, 255));

  EnterGrey("greyMin", QStringLiteral("0"));
  EnterGrey("greyMax", QStringLiteral("200"));
  QImage ramp = preview->grab().toImage();
  const int w = ramp.width();
  for (int x : {0, w / 3, w - 1}) {
    const int level = 200 * x / w;
    EXPECT_EQ(ramp.pixelColor(x, 2), QColor(level, level, level)) << x;
  }
}

TEST_F(DisplayDialogTest, OutOfOrderRangeShowsTheMessageBox) {
  CDlgDisplaySettings dialog(doc_, kPaneHeight, [] {});
  dialog.show();
  QString shown;
  // Close the message box once it is up, remembering its text.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        shown = box->text();
        box->accept();
      }
    }
  });
  poll.start(10);
  dialog.findChild<QLineEdit*>(QStringLiteral("greyMin"))->setText(QStringLiteral("9"));
  auto* max = dialog.findChild<QLineEdit*>(QStringLiteral("greyMax"));
  max->setText(QStringLiteral("8"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
  QApplication::sendEvent(max, &enter);
  EXPECT_EQ(shown, kOrderMessage);
  EXPECT_EQ(doc_.display.greyMax, 255);
}

}  // namespace
}  // namespace tarnix
