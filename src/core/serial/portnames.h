#pragma once

#include <QString>

// Where a port name such as "COM3" leads on this machine.
//
// On Windows "COMn" is the device "\\.\COMn". On Linux, "COMn" names the device
// that the link "comN" in the per-user port folder points to (a USB adapter, a
// pseudo-terminal of the simulator); without such a link it names /dev/ttyS<n-1>.
// An absolute path is used as it is; any other name is left to QSerialPort.
// (On Windows every name gets the device prefix.)
namespace portnames {

// <generic data location>/rzm417/ports, normally ~/.local/share/rzm417/ports.
QString portFolder();
// The link that stands for "COMn" in the port folder (it may not exist).
QString linkPath(int number);
// The device to open for a port name, links resolved, so the lock file is the device's own.
QString systemLocation(const QString &portName);
// n for "COMn" (case-insensitive), 0 for any other name.
int comNumber(const QString &portName);
// "COMn" for n, the way back.
QString comName(int number);

} // namespace portnames
