#pragma once
// The modal dialog "显示设置": every control takes effect at once; Cancel
// restores the values remembered when it opened.
#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>

#include "document/display_settings.h"
#include "document/display_rules.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tarnix {

class CTarnixDoc;

class CDlgDisplaySettings : public QDialog {
  Q_OBJECT
 public:
  // paneHeight: the drawing height of the wave panes, for the row height;
  // repaint: lays out and repaints the panes after each change.
  CDlgDisplaySettings(CTarnixDoc& doc, int paneHeight, std::function<void()> repaint, QWidget* parent = nullptr);

  void accept() override;
  // Escape and the window's close button cancel as "取消" does.
  void reject() override;

 protected:
  // The dialog's message boxes and colour chooser; tests answer them instead.
  virtual void ShowMessage(const QString& text);
  virtual std::optional<QColor> ChooseColour(const QColor& initial);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* BuildDisplayGroup();
  QWidget* BuildPanelGroup();
  QWidget* BuildGainGroup();
  QWidget* BuildTrainGroup();
  QWidget* BuildProbeGroup();
  QWidget* BuildColourGroup();
  QScrollBar* AddScrollBar(const char* name, int min, int max, int value, QLineEdit** edit);
  QPushButton* AddColourButton(const char* name, CurveColour which);

  // A scroll bar's action, mapped to its rule; the slot sets the position itself.
  void OnScroll(QScrollBar* bar, int action);
  void OnCurrentWave(bool on);
  void OnDepthReference(int reference);
  void OnTransmitterMode(int mode);
  void OnColourButton(QPushButton* button, CurveColour which);
  // Reads both grey fields after one of them was left; false when the values
  // were refused (the message is shown and the focus is back in `left`).
  bool ReadGreyRange(QLineEdit* left);
  void ShowColour(QPushButton* button, uint32_t colour);
  void Changed();
  void RebuildAllDepths();

  CTarnixDoc& doc_;
  DisplaySettings& display_;
  const DisplaySettings remembered_;
  const int paneHeight_;
  std::function<void()> repaint_;
  bool readingGrey_ = false;
  QLineEdit* pendingGreyCheck_ = nullptr;  // a grey field left, to be read once the focus settles

  QScrollBar* panelHeightBar_ = nullptr;
  QScrollBar* refineBar_ = nullptr;
  QScrollBar* valueGainBar_ = nullptr;
  QScrollBar* intervalGainBar_ = nullptr;
  QScrollBar* thresholdBar_ = nullptr;
  QLineEdit* panelHeightEdit_ = nullptr;
  QLineEdit* refineEdit_ = nullptr;
  QLineEdit* valueGainEdit_ = nullptr;
  QLineEdit* intervalGainEdit_ = nullptr;
  QLineEdit* thresholdEdit_ = nullptr;
  QLineEdit* greyMinEdit_ = nullptr;
  QLineEdit* greyMaxEdit_ = nullptr;
  QWidget* greyPreview_ = nullptr;
};

}  // namespace tarnix
