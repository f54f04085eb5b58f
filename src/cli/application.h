#pragma once

#include <QCoreApplication>

#include <memory>

namespace cli {

// The one option of the tool as a whole, taken wherever it stands: the
// developer's diagnostics on standard error.
inline constexpr char DebugOption[] = "--debug";

// The application object the command needs. Drawing the handover sheet needs fonts,
// so `sheet` gets a GUI application on the offscreen platform: it runs without a
// display, over ssh or in a script. Every other command needs QtCore alone.
// The command is the first argument that is not DebugOption.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

} // namespace cli
