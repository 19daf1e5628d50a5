#pragma once
// The rock-parameter dialogs of the two calculation methods ("计算方式一",
// "计算方式二"): three check boxes and their edits for the selected test-
// result layer. A check box or Enter in an edit is one undoable edit; both
// recompute every layer. The project form shows them as tabs; Run shows one
// on its own.
#include <QDialog>
#include <array>

#include "commands/command.h"

class QCheckBox;
class QLineEdit;

namespace tarnix {

class CTarnixDoc;

class LayerParameterDlg : public QDialog {
  Q_OBJECT
 public:
  // Loads the selected layer's values and the check states.
  void ShowLayer();
  // The check boxes as the document's tags (1 ticked).
  std::array<int32_t, 3> Tags() const;
  // Off: no input at all (the report shows no rock parameters); on: each
  // value as its check box says.
  void EnableInputs(bool on);

 protected:
  // way: 1 for method one (shear velocity), 0 for method two (Poisson ratio).
  LayerParameterDlg(CTarnixDoc& doc, int way, const QString& firstBox, CommandSink* commands, QWidget* parent);
  static void RunDialog(LayerParameterDlg& dialog);

 private:
  void OnBox(int tag, bool on);
  void OnEnter();

  CTarnixDoc& doc_;
  int way_;
  CommandSink* commands_;
  std::array<QCheckBox*, 3> boxes_{};
  std::array<QLineEdit*, 3> edits_{};
  bool inputsOn_ = true;
};

class CWayoneDlg : public LayerParameterDlg {
  Q_OBJECT
 public:
  CWayoneDlg(CTarnixDoc& doc, CommandSink* commands, QWidget* parent = nullptr);
  static void Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent);
};

class CWaytwoDlg : public LayerParameterDlg {
  Q_OBJECT
 public:
  CWaytwoDlg(CTarnixDoc& doc, CommandSink* commands, QWidget* parent = nullptr);
  static void Run(CTarnixDoc& doc, CommandSink* commands, QWidget* parent);
};

}  // namespace tarnix
