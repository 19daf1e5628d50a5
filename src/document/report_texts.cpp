#include "document/report_texts.h"

#include <algorithm>

namespace tarnix {

void RememberText(std::array<std::string, 10>& history, const std::string& text) {
  if (text.empty()) return;
  auto end = std::find(history.begin(), history.end(), text);
  if (end == history.end()) --end;  // full or not, the last entry makes room
  std::move_backward(history.begin(), end, end + 1);
  history.front() = text;
}

}  // namespace tarnix
