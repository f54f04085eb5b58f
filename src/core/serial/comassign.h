#pragma once

#include <QList>
#include <QSet>
#include <QString>

// The lasting COM number of a serial adapter, as Windows gives one the moment
// it is plugged in. A pure rule over what the ports folder holds and which
// adapters the system lists; portscan applies it to the folder.
//
// An adapter that no link leads to yet gets the lowest number n whose link
// "comN" does not exist and whose fallback /dev/ttyS<n-1> is not a real
// built-in port. The new link names the adapter's stable name (under
// /dev/serial/by-id) where the system gives one, so the adapter keeps its
// number in any USB socket; a link whose adapter is unplugged keeps its number.
// Links made by hand are never changed. A link the program made is changed in
// one case only: it names the adapter's plain device (the stable name was not
// there yet when it was made), and now the stable name is known.
namespace comassign {

// The candidate numbers are COM1 to COM32, the ones the port dialog offers.
constexpr int kHighestNumber = 32;

struct Adapter
{
    QString device;     // as the system lists it: /dev/ttyUSB0, /dev/ttyACM0, ...
    QString stableName; // /dev/serial/by-id/... leading to the device; empty when there is none
};

struct Link
{
    int number = 0;         // n of "comN"
    QString target;         // what the link says
    QString device;         // where it leads now; empty when nothing is there
    bool automatic = false; // made by the program and unchanged since
};

struct Change
{
    int number = 0;
    QString target;
    bool replaces = false; // an automatic link pointed at the plain device until now
};

struct Plan
{
    QList<Change> changes;
    QList<Adapter> unnamed; // every number is taken: these stay without one
};

// True when the link stands for this adapter (by its plain or stable name).
bool leadsTo(const Link &link, const Adapter &adapter);

// `builtIn` holds the numbers n whose /dev/ttyS<n-1> is a real serial port.
// Adapters are taken in device order (ttyUSB2 before ttyUSB10), so a set
// plugged in together is numbered the same way every time.
Plan plan(QList<Adapter> adapters, const QList<Link> &links, const QSet<int> &builtIn);

} // namespace comassign
