#pragma once
// The lithology names the drilling log offers, in their order, and the legend
// bitmap file of a name.
#include <array>
#include <optional>
#include <string>

namespace tarnix {

// "软粘土" is offered twice (11th and 62nd); both entries stay.
inline constexpr int kLithologyCount = 86;
extern const std::array<const char*, kLithologyCount> kLithologyNames;

// The folder of the legend bitmaps, beside the executable.
inline constexpr const char kLegendFolder[] = "地质图例";

// The legend's file name inside the legend folder ("砂岩.bmp"); nothing for an
// empty name or one that would leave the folder (names come from files).
std::optional<std::string> LegendFileName(const std::string& picName);

}  // namespace tarnix
