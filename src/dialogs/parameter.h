#pragma once
// The read-only dialog "检测参数状态": the test's project, hole, instrument and
// channel parameters.
#include <QDialog>
#include <string>
#include <utility>
#include <vector>

namespace tarnix {

class CTarnixDoc;

using LabelledValues = std::vector<std::pair<std::string, std::string>>;

class Parameter : public QDialog {
  Q_OBJECT
 public:
  Parameter(const CTarnixDoc& doc, QWidget* parent = nullptr);

  // The texts shown, by group: project, "孔的信息", "仪器信息", and one column
  // of "通道信息" per channel in use (channel 1 = current section).
  static LabelledValues ProjectTexts(const CTarnixDoc& doc);
  static LabelledValues HoleTexts(const CTarnixDoc& doc);
  static LabelledValues InstrumentTexts(const CTarnixDoc& doc);
  static std::vector<LabelledValues> ChannelTexts(const CTarnixDoc& doc);
};

}  // namespace tarnix
