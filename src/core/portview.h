#pragma once

#include <QString>

// How a port is named to a user: its name, and the device it leads to where that
// says more ("COM3 (pts/1)", "COM5 (ttyUSB0)"; "COM3" alone where the name is the device).
// On Windows the device is what the Device Manager lists under the name:
// "COM3 (USB Serial Port, USB 0403:6001)".
namespace portview {

QString nameWithDevice(const QString &port);

} // namespace portview
