#pragma once
// Locale-independent C formatting and number conversion.
// Files and displays use the C library's formats ("%8.2f", "%-2d  ") with a "."
// decimal point whatever locale the user runs; reading follows atof/atoi:
// leading blanks skipped, trailing garbage ignored, no digits gives 0.
#include <string>
#include <string_view>

namespace tarnix {

std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

double CToFloat(std::string_view text);
// atoi semantics; values beyond the int32 range are clamped rather than undefined.
int CToInt(std::string_view text);

}  // namespace tarnix
