#pragma once

#include <QString>

// Why a serial device can or cannot be opened now, in terms a user can act on.
// The device is looked at without taking it: its node, the lock file a serial
// program leaves in /run/lock, then one open attempt whose error the system gives.
namespace portstate {

enum class State {
    Free,
    InUse,        // another program holds it (lock file or exclusive open)
    NoPermission, // the system refused us: the user lacks a group
    Missing,      // nothing there: an adapter unplugged, a ttyS that does not exist
    NotSerial,    // something that is no serial line (a file, a placeholder ttyS)
};

struct Status
{
    State state = State::Missing;
    qint64 pid = 0;      // InUse: the holder, when it is known
    QString process;     // its command name, when it is known
    QString group;       // NoPermission: the group whose members may open it
};

// `sysRoot` is where /sys is (tests give their own), to tell a real built-in
// ttyS from the placeholders Linux makes for every possible legacy port.
Status examine(const QString &device, const QString &sysRoot = QStringLiteral("/sys"));

// True when `device` is a ttyS placeholder: a node without a UART behind it.
bool isPlaceholderTtyS(const QString &device, const QString &sysRoot = QStringLiteral("/sys"));

// What to do about it: "sudo adduser $USER dialout, then log in again"; empty
// when there is no such fix.
QString fix(const Status &status);
// One phrase for tables and errors: "free", "in use by minicom (PID 812)",
// "no permission (fix: ...)", "missing (adapter unplugged)", "not a serial port".
QString describe(const Status &status);
// Why opening `device` failed, as the reason the system gives: "cannot be
// opened: no permission for /dev/ttyUSB0 (fix: ...)", "... is in use by ...".
QString openFailure(const QString &device);
// The state alone, as the ports table and its JSON name it: "free", "in use", ...
QString stateName(State state);

} // namespace portstate
