#pragma once
// What pick and batch share: the filter options of the command line and the
// picking of every section pair in use.
#include <string>

#include "document/tarnix_doc.h"

namespace tarnix::cli {

// --high-pass KHZ|off and --low-pass KHZ|off: cut-offs that replace the
// settings' for every section before a test is opened.
struct FilterOverride {
  bool setHigh = false, highOn = false;
  bool setLow = false, lowOn = false;
  float highKHz = 0.0f, lowKHz = 0.0f;

  // True when flag is one of the two options; ok is false for a bad value.
  bool Parse(const std::string& flag, const std::string& value, bool& ok);
  // The filter dialog's refusal of these cut-offs, or empty when they are
  // acceptable: each in its range, and the high-pass below the low-pass.
  std::string Refusal() const;
  void ApplyTo(CTarnixDoc& doc) const;
};

// Every pair of sections in use picked, as the panes show them one pair at a
// time; the current section is left as it was.
void PickEverySection(CTarnixDoc& doc);

}  // namespace tarnix::cli
