#include "win32comm.h"

#include <windows.h>

namespace win32comm {

Opened open(const QString &devicePath)
{
    const QByteArray path = devicePath.toLatin1();
    const HANDLE handle = ::CreateFileA(path.constData(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Opened{nullptr, ::GetLastError()};
    return Opened{handle, 0};
}

void close(Handle handle)
{
    if (handle)
        ::CloseHandle(static_cast<HANDLE>(handle));
}

portstate::State stateOfRefusal(unsigned long error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:     // what a COM port held by another program answers
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:    // a device another program locked (Wine, for a Linux program's hold)
        return portstate::State::InUse;
    default:
        // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, or a driver that cannot
        // reach its device (an unplugged or unpaired adapter): nothing to talk to.
        return portstate::State::Missing;
    }
}

portstate::State examine(const QString &devicePath)
{
    const Opened opened = open(devicePath);
    if (!opened.handle)
        return stateOfRefusal(opened.error);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    const bool serial = ::GetCommState(static_cast<HANDLE>(opened.handle), &dcb);
    close(opened.handle);
    return serial ? portstate::State::Free : portstate::State::NotSerial;
}

} // namespace win32comm
