#pragma once

#include "portscan.h"
#include "portstate.h"

#include <QList>
#include <QSet>

#include <optional>

// The COM names in use and the serial devices seen, each with its state: what
// `rzm417-cli ports` shows, and why the port dialog left a port out.
namespace portsurvey {

enum class Origin {
    Automatic, // a link the program made
    ByHand,    // a link someone else made
    BuiltIn,   // no link: the real /dev/ttyS<n-1>
    None,      // an adapter without a COM name (every number was taken)
    System,    // Windows: the COM name the system gave the device
};

struct Row
{
    int number = 0;  // n of COMn; 0 with Origin::None
    Origin origin = Origin::None;
    QString link;    // what the link says; empty without a link
    QString device;  // where it leads now; empty when nothing is there
    std::optional<portscan::AdapterInfo> adapter;
    portstate::Status status;
};

// Ordered by COM number; adapters without one come last. On Windows the rows are
// the COM1 to COM32 that exist, as the system names them (portsurvey_win.cpp).
QList<Row> survey(const portscan::Environment &env = portscan::Environment());

// "automatic", "by hand", "built-in", "none", "system".
QString originName(Origin origin);

struct LeftOut
{
    int number = 0;
    QString device;
    portstate::Status status;
};

// Of COM1 to COM32, the first that the port dialog did not list although its
// device is there and is a serial port that another program holds or that we
// may not open; nothing when every missing number simply has no device.
std::optional<LeftOut> firstLeftOut(const QSet<int> &listed);

} // namespace portsurvey
