#pragma once
// The project form beside the report page: the project and hole texts of the
// header block (with the project texts' history lists and their lock), the
// standard, the scale, the report's style and the rock-parameter inputs of
// the two calculation methods. Header texts, scale, style and method change
// through the document's operations as undoable edits; the lock and the
// history lists are the report texts' settings.
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "commands/edit_commands.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QVBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace tarnix {

class CWayoneDlg;
class CWaytwoDlg;
class LayerParameterDlg;

class CPrintOutForm : public QWidget {
  Q_OBJECT
 public:
  // repaint: redraws the report page after a change of the report texts.
  CPrintOutForm(CTarnixDoc& doc, CommandSink* commands, std::function<void()> repaint, QWidget* parent = nullptr);

  // Shows the document; the field being typed in keeps its text.
  void Refresh();

 protected:
  // Entering the report puts the locked project texts back into the test.
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildProjectFields(QFormLayout* form);
  void BuildStyleFields(QVBoxLayout* column);
  // Typing acts on the document at once; leaving the field makes it one edit.
  void TextsTyped();
  void FinishTexts();
  void DateChosen(QDateEdit* picker);
  void LockClicked(bool on);
  void ApplyLock();
  void ShowProjectTexts();
  void StyleClicked(int style, bool on);
  void MethodChosen(int tab);
  void ScaleChosen(int entry);
  void InterpretationTyped();
  void Restyle(const ReportStyle& style);

  CTarnixDoc& doc_;
  CommandSink* commands_;
  std::function<void()> repaint_;
  std::optional<HeaderTexts> typingFrom_;
  std::optional<LayerEdit> interpretationEdit_;
  uint32_t seenOpenCount_ = 0;

  std::array<QComboBox*, 3> project_{};  // project name, organisation, tester
  QCheckBox* lock_ = nullptr;
  std::array<QLineEdit*, 5> hole_{};  // number, elevation, depth, X, Y
  QDateEdit* holeDate_ = nullptr;
  QDateEdit* testDate_ = nullptr;
  QComboBox* standard_ = nullptr;
  QComboBox* ruler_ = nullptr;
  QCheckBox* style1_ = nullptr;
  QCheckBox* style2_ = nullptr;
  QTabWidget* methods_ = nullptr;
  CWayoneDlg* wayOne_ = nullptr;
  CWaytwoDlg* wayTwo_ = nullptr;
  QPlainTextEdit* interpretation_ = nullptr;
};

}  // namespace tarnix
