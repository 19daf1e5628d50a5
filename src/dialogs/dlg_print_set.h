#pragma once
// "打印设置": margins, gutter, header, footer, page numbers, the kinds of page
// a print job holds and the report's header-block format. The controls are
// read into the document's page settings on 确定 only, so 取消 (or closing the
// window) leaves the record exactly as it was when the dialog opened.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/page_setup.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace tarnix {

class CTarnixDoc;

// The instrument models offered for the test's instrument text, its own model
// first; empty for an instrument the dialog does not know.
std::vector<std::string> InstrumentModels(const std::string& instrument);

class CDlgPrintSet : public QDialog {
  Q_OBJECT
 public:
  // repaint: redraws the report page after 确定.
  CDlgPrintSet(CTarnixDoc& doc, std::function<void()> repaint, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  QWidget* BuildMarginGroup();
  QWidget* BuildContentGroup();
  QWidget* BuildPageNumberGroup();
  QWidget* BuildHeaderGroup(bool footer);
  void ShowRecord(const PageSetup& s);
  void ReadControls(PageSetup& s) const;
  void EnableDependents();
  // Each check tells the user and puts the field back when it refuses it.
  bool CheckFirstPageNumber();
  // The header's (band 0) or footer's (band 1) height against its margin.
  bool CheckBandHeight(int band);
  bool Refuse(const char* message, QSpinBox* field, int value);

  CTarnixDoc& doc_;
  const PageSetup backup_;
  std::function<void()> repaint_;

  QSpinBox* margins_[4] = {};  // top, left, bottom, right
  QSpinBox* gutter_ = nullptr;
  QComboBox* gutterPosition_ = nullptr;
  QLineEdit* borderWidth_ = nullptr;
  QLineEdit* gridWidth_ = nullptr;
  QCheckBox* curveEnable_ = nullptr;
  QComboBox* curveType_ = nullptr;
  QLineEdit* curveParameter_ = nullptr;
  QCheckBox* printReport_ = nullptr;
  QCheckBox* printWaveTrain_ = nullptr;
  QCheckBox* printCurve_ = nullptr;
  QComboBox* waveTrainPaging_ = nullptr;
  QComboBox* instrumentModel_ = nullptr;
  QLineEdit* instrumentNumber_ = nullptr;
  QComboBox* headerBlockFormat_ = nullptr;
  QCheckBox* printPageNumbers_ = nullptr;
  QComboBox* pageNumberPosition_ = nullptr;
  QSpinBox* firstPageNumber_ = nullptr;
  QComboBox* pageNumberFormat_ = nullptr;
  // The header's controls [0] and the footer's [1].
  QCheckBox* printBand_[2] = {};
  QSpinBox* bandHeight_[2] = {};
  QComboBox* bandPosition_[2] = {};
  QComboBox* bandFont_[2] = {};
  QLineEdit* bandText_[2] = {};
  bool checking_ = false;  // a message box takes the focus and would check again
};

}  // namespace tarnix
