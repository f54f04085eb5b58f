#pragma once

#include "portstate.h"

#include <QString>

// The kernel32 side of a COM port, for the serial layer on Windows. A port is the
// device "\\.\COMn", opened for reading and writing by one program at a time: a
// second open is refused, whoever holds it.
namespace win32comm {

using Handle = void *; // a kernel32 HANDLE; nullptr stands for none

struct Opened
{
    Handle handle = nullptr;
    unsigned long error = 0; // GetLastError() when the open failed
};

// CreateFileA: read and write access, share mode 0, only an existing device,
// ordinary blocking I/O (no overlapped mode, no attributes), no template.
Opened open(const QString &devicePath);
void close(Handle handle);

// What a refused open says: held by another program (access denied, sharing or
// lock violation), or not there (file or path not found, and any other refusal).
portstate::State stateOfRefusal(unsigned long error);
// The port's state now, from one open that is closed again at once; a device
// that opens but takes no serial settings is not a serial port.
portstate::State examine(const QString &devicePath);

} // namespace win32comm
