// The ports table on Windows: the system gives every serial device its COM name,
// so the rows are simply the COM1 to COM32 that are there, each as one open finds
// it, with the device the Device Manager lists under that name.
#include "portsurvey.h"

#include "portdevices.h"
#include "portnames.h"

namespace portsurvey {

QList<Row> survey(const portscan::Environment &)
{
    const QList<portscan::AdapterInfo> devices = portdevices::comDevices();
    QList<Row> rows;
    for (int n = 1; n <= comassign::kHighestNumber; ++n) {
        Row row;
        row.number = n;
        row.origin = Origin::System;
        row.device = portnames::systemLocation(portnames::comName(n));
        row.status = portstate::examine(row.device);
        if (row.status.state == portstate::State::Missing)
            continue;
        for (const portscan::AdapterInfo &device : devices)
            if (device.device == portnames::comName(n))
                row.adapter = device;
        rows.append(row);
    }
    return rows;
}

} // namespace portsurvey
