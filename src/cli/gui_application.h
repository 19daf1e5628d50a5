#pragma once
// Fonts and images need a GUI application; without a display it runs off screen.
#include <QGuiApplication>
#include <memory>

namespace tarnix::cli {

// Null when an application exists already.
std::unique_ptr<QGuiApplication> MakeGuiApplication();

}  // namespace tarnix::cli
