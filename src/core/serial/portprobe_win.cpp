#include "portprobe.h"

#include "portnames.h"
#include "win32comm.h"

namespace portnames {

bool canOpenExclusively(const QString &portName)
{
    // The transfers' own open: a port another program holds is refused by the
    // system, since no open shares the device.
    const win32comm::Opened opened = win32comm::open(systemLocation(portName));
    if (!opened.handle)
        return false;
    win32comm::close(opened.handle);
    return true;
}

} // namespace portnames
