#pragma once

#include "portscan.h"

#include <QList>
#include <QString>

#include <optional>

// Which device stands behind a COM name, as the system describes it: on Windows
// the Device Manager's "Ports (COM & LPT)" class, read through SetupAPI
// (portdevices_win.cpp); on Linux the adapters come from portscan::adapters().
namespace portdevices {

// The USB vendor and product of a Windows device id: "USB\VID_0403&PID_6001\A50285BI",
// "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000" → 0x0403, 0x6001. False (and -1 both)
// where the id names no USB device.
bool usbIds(const QString &deviceId, int *vendorId, int *productId);
// The adapter's serial number where a USB instance id carries one
// ("USB\VID_0403&PID_6001\A50285BI" → "A50285BI"); empty where Windows made the
// last part up ("...\5&2A1C6C2&0&2", it contains "&").
QString usbSerialNumber(const QString &instanceId);
// The Device Manager's name without the COM name it ends with:
// "USB Serial Port (COM3)" → "USB Serial Port".
QString withoutPortName(const QString &friendlyName, const QString &portName);

// "FT232R USB UART, FTDI, serial A50285BI, USB 0403:6001"; empty when nothing is known.
QString describe(const portscan::AdapterInfo &adapter);
// The port and what it is, short enough for a line of the port dialog:
// "COM3 (USB Serial Port, USB 0403:6001)"; the port alone when nothing is known.
QString nameWithAdapter(const QString &port, const portscan::AdapterInfo &adapter);

#ifdef Q_OS_WIN
// Every device of the Ports class that is present and has a COM name, its
// `device` being that name ("COM3").
QList<portscan::AdapterInfo> comDevices();
// The one that has `portName`, if any. Under Wine a port that is only a link in
// dosdevices has none.
std::optional<portscan::AdapterInfo> comDevice(const QString &portName);
#endif

} // namespace portdevices
