#include "cli/pick_options.h"

#include <cstdlib>

#include "document/auto_pick.h"

namespace tarnix::cli {
namespace {

// "off" or a cut-off in kHz.
bool ParseCutOff(const std::string& text, bool& on, float& khz) {
  if (text == "off") {
    on = false;
    return true;
  }
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(v > 0) || v > 1000) return false;
  on = true;
  khz = static_cast<float>(v);
  return true;
}

}  // namespace

bool FilterOverride::Parse(const std::string& flag, const std::string& value, bool& ok) {
  if (flag == "--high-pass") {
    setHigh = true;
    ok = ParseCutOff(value, highOn, highKHz);
    return true;
  }
  if (flag == "--low-pass") {
    setLow = true;
    ok = ParseCutOff(value, lowOn, lowKHz);
    return true;
  }
  return false;
}

std::string FilterOverride::Refusal() const {
  // The same bounds and texts as the filter dialog's title bar.
  if (setHigh && highOn && (highKHz > 20.0f || highKHz < 0.0099995f)) return "高通范围为0.01-20kHz";
  if (setLow && lowOn && (lowKHz > 500.0f || lowKHz < 2.0f)) return "低通范围为2-500kHz";
  if (setHigh && highOn && setLow && lowOn && highKHz > lowKHz) return "高通值必须小于低通值";
  return "";
}

void FilterOverride::ApplyTo(CTarnixDoc& doc) const {
  for (int i = 0; i < kSectionCount; ++i) {
    ChannelFilter f = doc.Filter(i);
    if (setHigh) {
      f.highPassOn = highOn;
      if (highOn) f.highPassKHz = highKHz;
    }
    if (setLow) {
      f.lowPassOn = lowOn;
      if (lowOn) f.lowPassKHz = lowKHz;
    }
    doc.SetFilter(i, f, false);  // applied when the test is opened
  }
}

void PickEverySection(CTarnixDoc& doc) {
  const int current = doc.CurrentSection();
  for (int i = current; i >= 0 && i < kSectionCount; i += 2) {
    if (!doc.Section(i).valid) continue;
    doc.SetCurrentSection(i);
    AutoPick(doc);
  }
  doc.SetCurrentSection(current);
}

}  // namespace tarnix::cli
