#pragma once

#include <QCoreApplication>

#include <memory>

namespace cli {

// The application object the command needs. Drawing the handover sheet needs fonts,
// so `sheet` gets a GUI application on the offscreen platform: it runs without a
// display, over ssh or in a script. Every other command needs QtCore alone.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

} // namespace cli
