#pragma once
// The one place that maps the interface's face names onto installed faces.
#include <QFont>
#include <QString>

namespace tarnix {

// Registers the substitutions for "宋体", "黑体", "隶书", "仿宋_GB2312",
// "楷体_GB2312", "Times New Roman" and "Arial", and sets the application font.
void InstallInterfaceFonts();

// A font by one of those face names, in points.
QFont InterfaceFont(const QString& face, int pointSize);
// A font whose character cell is the given pixel height (at least 1), by one
// of those face names.
QFont PixelFont(const char* face, int pixelHeight);

}  // namespace tarnix
