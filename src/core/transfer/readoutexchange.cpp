#include "readoutexchange.h"

#include "core/serial/serialport.h"
#include "linebytes.h"

namespace transfer {

Reception runReadout(SerialPort &port, const LinkSettings &settings, const ReadoutHooks &hooks)
{
    Reception reception;
    if (!port.open(settings.port) || !port.configure(ReadoutPerByteMs, ReadoutConstantMs)) {
        reception.status = Reception::Status::PortFailure;
        return reception;
    }
    port.writeByte(RequestStart);
    // The second write's count (1 when the byte went out) starts the reception.
    int count = port.writeByte(settings.uploadCommand);
    if (hooks.requestSent)
        hooks.requestSent();
    while (count != 0) {
        quint8 byte = 0;
        count = port.readByte(&byte);
        if (count != 0)
            reception.bytes.append(char(byte));
        if (hooks.step && !hooks.step(reception.bytes.size())) {
            reception.status = Reception::Status::Cancelled;
            port.close();
            break;
        }
        // A lost line reads as "no byte" already; this only makes the end explicit.
        if (port.lineLost()) {
            reception.lineLost = true;
            break;
        }
    }
    return reception;
}

} // namespace transfer
