#include "portstate.h"

#include "core/coretexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include "win32comm.h"
#endif

namespace portstate {
namespace {

#ifdef Q_OS_UNIX

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
}

bool alive(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// The PID in a serial lock file: QSerialPort writes it as text on the first
// line; old UUCP programs write it as a 4-byte binary number.
qint64 lockPid(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(64);
    if (head.size() == 4 && !QChar::fromLatin1(head.at(0)).isSpace() && !QChar::fromLatin1(head.at(0)).isDigit()) {
        qint32 binary = 0;
        std::memcpy(&binary, head.constData(), sizeof binary);
        return binary;
    }
    return head.left(head.indexOf('\n')).trimmed().toLongLong();
}

// The live holder of the device's lock file, looked for where QSerialPort
// puts it: LCK..ttyUSB0 for /dev/ttyUSB0, LCK..pts_3 for /dev/pts/3.
qint64 lockHolder(const QString &device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *dir : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp", "/tmp",
                            "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        const QString path = QString::fromLatin1(dir) + QStringLiteral("/LCK..") + name;
        if (!QFileInfo::exists(path))
            continue;
        const qint64 pid = lockPid(path);
        if (alive(pid))
            return pid;
    }
    return 0;
}

// Who has the device open when it refused us as busy. Only the processes we
// may look into are seen; root sees all.
qint64 openedBy(dev_t device)
{
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString &pid : pids) {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            struct stat st{};
            if (::stat(QFile::encodeName(fds.filePath(fd)).constData(), &st) == 0 && S_ISCHR(st.st_mode)
                && st.st_rdev == device)
                return pid.toLongLong();
        }
    }
    return 0;
}

Status inUse(qint64 pid)
{
    Status status;
    status.state = State::InUse;
    status.pid = pid;
    if (pid > 0)
        status.process = processName(pid);
    return status;
}

// The group that may read and write the device, the way udev hands serial
// devices to "dialout"; empty when the group alone would not help.
QString permittedGroup(const struct stat &st)
{
    if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return QString();
    const struct group *group = ::getgrgid(st.st_gid);
    return group ? QString::fromLocal8Bit(group->gr_name) : QString();
}

#endif

Status withState(State state)
{
    Status status;
    status.state = state;
    return status;
}

} // namespace

bool isPlaceholderTtyS(const QString &device, const QString &sysRoot)
{
    static const QRegularExpression ttyS(QStringLiteral("^ttyS[0-9]+$"));
    const QString name = QFileInfo(device).fileName();
    if (!ttyS.match(name).hasMatch())
        return false;
    // serial_core's UART type: 0 (PORT_UNKNOWN) means no UART answered at that
    // address. Without sysfs we cannot tell, and take the port for real.
    QFile type(sysRoot + QStringLiteral("/class/tty/") + name + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const int value = type.readAll().trimmed().toInt(&ok);
    return ok && value == 0;
}

Status examine(const QString &device, const QString &sysRoot)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    struct stat st{};
    if (::stat(path.constData(), &st) != 0) // follows links: a dangling link is missing
        return withState(errno == EACCES ? State::NoPermission : State::Missing);
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (!S_ISCHR(st.st_mode) || isPlaceholderTtyS(canonical, sysRoot))
        return withState(State::NotSerial);
    if (const qint64 pid = lockHolder(canonical))
        return inUse(pid);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EACCES:
        case EPERM: {
            Status status = withState(State::NoPermission);
            status.group = permittedGroup(st);
            return status;
        }
        case EBUSY:
            return inUse(openedBy(st.st_rdev));
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return withState(State::Missing);
        default:
            return withState(State::NotSerial);
        }
    }
    termios settings{};
    const bool serial = ::tcgetattr(fd, &settings) == 0;
    ::close(fd);
    return withState(serial ? State::Free : State::NotSerial);
#else
    // A COM device is known only by opening it: there is no node to look at,
    // and the system does not say who holds it.
    Q_UNUSED(sysRoot);
    return withState(win32comm::examine(device));
#endif
}

QString fix(const Status &status)
{
    if (status.state != State::NoPermission || status.group.isEmpty())
        return QString();
    return CoreTexts::tr("sudo adduser $USER %1, then log in again").arg(status.group);
}

QString describe(const Status &status)
{
    switch (status.state) {
    case State::Free:
        return CoreTexts::tr("free");
    case State::InUse:
        if (status.pid == 0)
            return CoreTexts::tr("in use by another program");
        if (status.process.isEmpty())
            return CoreTexts::tr("in use by PID %1").arg(status.pid);
        return CoreTexts::tr("in use by %1 (PID %2)").arg(status.process, QString::number(status.pid));
    case State::NoPermission:
        return CoreTexts::tr("no permission");
    case State::Missing:
        return CoreTexts::tr("missing (adapter unplugged)");
    case State::NotSerial:
        return CoreTexts::tr("not a serial port");
    }
    return QString();
}

QString describeWithFix(const Status &status)
{
    const QString how = fix(status);
    return how.isEmpty() ? describe(status) : CoreTexts::tr("%1 (fix: %2)").arg(describe(status), how);
}

QString openFailure(const QString &shown, const Status &status)
{
    // Free now: what failed was the line settings, or a moment's hold by another.
    if (status.state == State::Free)
        return CoreTexts::tr("%1 cannot be opened or configured").arg(shown);
    return CoreTexts::tr("%1 cannot be opened: %2").arg(shown, describeWithFix(status));
}

QString stateName(State state)
{
    switch (state) {
    case State::Free: return QStringLiteral("free");
    case State::InUse: return QStringLiteral("in use");
    case State::NoPermission: return QStringLiteral("no permission");
    case State::Missing: return QStringLiteral("missing");
    case State::NotSerial: return QStringLiteral("not a serial port");
    }
    return QString();
}

} // namespace portstate
