#pragma once

#include "comassign.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// The serial adapters of this machine, the links of the ports folder, and the
// rule of comassign applied to them.
//
// A link the program made is told apart from one made by hand by the record
// ".automatic" in the ports folder: one line "comN TARGET" for every link the
// program made. A link counts as automatic only while it still says exactly
// what the record says; one the user re-pointed, or made with `ln -s`,
// `rzm417-cli ports map` or the simulator, is the user's and is never changed.
namespace portscan {

// One serial adapter as the system describes it.
struct AdapterInfo
{
    QString device;       // /dev/ttyUSB0
    QString stableName;   // /dev/serial/by-id/... leading to it; found by adapters()
    QString description;
    QString manufacturer;
    QString serialNumber;
    int vendorId = -1;    // USB ids, -1 where unknown
    int productId = -1;
};

// Where to look. The defaults are the machine's own; tests give their own
// roots and adapters, so no real adapter is needed.
struct Environment
{
    QString devRoot = QStringLiteral("/dev");
    QString sysRoot = QStringLiteral("/sys");
    QString folder; // empty: portnames::portFolder()
    // The adapters as QSerialPortInfo would list them; unset: ask QSerialPortInfo.
    std::optional<QList<AdapterInfo>> adapters;

    QString linkFolder() const;
};

// Every serial port the system lists except the ttyS ports (they have their
// COM numbers already), each with its stable name where devRoot has one.
QList<AdapterInfo> adapters(const Environment &env);
// The numbers n in 1..32 whose devRoot/ttyS<n-1> is a real built-in port.
QSet<int> builtInPorts(const Environment &env);
// Every "comN" in the folder, with where it leads and whether the program made it.
QList<comassign::Link> links(const Environment &env);

struct Outcome
{
    QList<comassign::Change> made;
    QList<AdapterInfo> unnamed; // every number taken
    QString error;              // the folder could not be written; empty when all went well
};

// Gives every adapter without a COM name one (see comassign). Safe against
// another instance doing the same at once: the folder is locked meanwhile.
Outcome assignNumbers(const Environment &env = Environment());
// Before a port is opened: when "COMn" has no link and no real /dev/ttyS<n-1>,
// an adapter plugged in since the last look may be meant; number them first.
void assignBeforeOpening(const QString &portName);

// Makes or replaces the link "comN" by hand (the record forgets it). An
// automatic link that led to the same device goes (its number in `dropped`),
// so the adapter moves instead of having two names.
bool mapByHand(const Environment &env, int number, const QString &target, QList<int> *dropped, QString *error);
// Removes the link "comN", whoever made it. False with the reason when there is none.
bool unmap(const Environment &env, int number, QString *error);

} // namespace portscan
