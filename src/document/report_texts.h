#pragma once
// Texts of the project form kept between runs: the locked project texts and
// the history lists that fill its combos.
#include <array>
#include <cstdint>
#include <string>

namespace tarnix {

struct ReportTexts {
  uint8_t locked = 0;
  // Project name, organisation, tester.
  std::array<std::string, 3> lockedTexts{"******", "******", "******"};
  std::array<std::array<std::string, 10>, 3> history{};
  std::string reservedText = "1";
};

// Puts a text at the top of a history list, once; the oldest entry falls off.
// An empty text is not remembered.
void RememberText(std::array<std::string, 10>& history, const std::string& text);

}  // namespace tarnix
