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

// The one text of each state, which the port dialog, the window's transfer
// outcomes and the command line all say, in the core's context (CoreTexts).
// The state with what is known of it: "free", "in use by minicom (PID 812)",
// "in use by another program", "no permission", "missing (adapter unplugged)",
// "not a serial port".
QString describe(const Status &status);
// What to do about it: "sudo adduser $USER dialout, then log in again"; empty
// when there is no such fix.
QString fix(const Status &status);
// The state with its fix, where there is one: "no permission (fix: ...)".
QString describeWithFix(const Status &status);
// Why a port would not open, from the state its device is in now; `shown` names
// the port as the reader knows it ("COM3 (ttyUSB0)", "/dev/ttyUSB0"):
// "COM3 (ttyUSB0) cannot be opened: in use by minicom (PID 812)". A device that
// is free now failed in its line settings, or was held for a moment: "... cannot
// be opened or configured".
QString openFailure(const QString &shown, const Status &status);
// The state alone, as the ports table's JSON names it for scripts ("free",
// "in use", ...); never translated.
QString stateName(State state);

} // namespace portstate
