#pragma once
// The lithology legend bitmaps: the folder "地质图例" beside the executable,
// or the installed data folder when the executable's folder has none (an
// installed, read-only program).
#include <QImage>
#include <QString>
#include <string>

namespace tarnix {

QString LegendFolder();
// The legend of a name; a null image when the name is refused or its file
// cannot be loaded, so that nothing is drawn.
QImage LoadLegend(const std::string& picName);

}  // namespace tarnix
