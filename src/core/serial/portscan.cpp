#include "portscan.h"

#include "portnames.h"
#include "portstate.h"

#include "core/files/wholefile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QSerialPortInfo>

namespace portscan {
namespace {

const QLatin1StringView kRecordName(".automatic");
// Another instance numbering at the same moment holds the lock only briefly.
constexpr int kLockWaitMs = 3000;

using Record = QHash<int, QString>; // comN → the target the program wrote

QString linkIn(const Environment &env, int number)
{
    return env.linkFolder() + QStringLiteral("/com%1").arg(number);
}

Record readRecord(const QString &folder)
{
    Record record;
    QFile file(folder + QLatin1Char('/') + kRecordName);
    if (!file.open(QIODevice::ReadOnly))
        return record;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const int number = space > 0 ? portnames::comNumber(line.left(space)) : 0;
        if (number > 0 && !line.startsWith(QLatin1Char('#')))
            record.insert(number, line.mid(space + 1));
    }
    return record;
}

// Keeps only what still stands as it was written, so a link the user changed
// is forgotten for good.
bool writeRecord(const Environment &env, Record record, QString *error)
{
    for (auto it = record.begin(); it != record.end();) {
        const QFileInfo link(linkIn(env, it.key()));
        it = link.isSymLink() && link.symLinkTarget() == it.value() ? std::next(it) : record.erase(it);
    }
    QByteArray text("# Links the program made; a link that no longer says what stands here is the user's.\n");
    QList<int> numbers = record.keys();
    std::sort(numbers.begin(), numbers.end());
    for (int n : numbers)
        text += QStringLiteral("com%1 %2\n").arg(n).arg(record.value(n)).toUtf8();
    const QString path = env.linkFolder() + QLatin1Char('/') + kRecordName;
    QString reason;
    if (wholefile::write(path, text, &reason))
        return true;
    *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

bool isTtyS(const QString &device)
{
    static const QRegularExpression ttyS(QStringLiteral("^ttyS[0-9]+$"));
    return ttyS.match(QFileInfo(device).fileName()).hasMatch();
}

QList<AdapterInfo> systemAdapters()
{
    QList<AdapterInfo> list;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
        AdapterInfo info;
        info.device = port.systemLocation();
        info.description = port.description();
        info.manufacturer = port.manufacturer();
        info.serialNumber = port.serialNumber();
        if (port.hasVendorIdentifier())
            info.vendorId = port.vendorIdentifier();
        if (port.hasProductIdentifier())
            info.productId = port.productIdentifier();
        list.append(info);
    }
    return list;
}

QString stableNameOf(const Environment &env, const QString &device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (canonical.isEmpty())
        return QString();
    const QDir byId(env.devRoot + QStringLiteral("/serial/by-id"));
    for (const QString &name : byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (QFileInfo(byId.filePath(name)).canonicalFilePath() == canonical)
            return byId.filePath(name);
    return QString();
}

QList<comassign::Adapter> forRule(const QList<AdapterInfo> &list)
{
    QList<comassign::Adapter> result;
    for (const AdapterInfo &info : list)
        result.append({info.device, info.stableName});
    return result;
}

QList<AdapterInfo> infosOf(const QList<comassign::Adapter> &unnamed, const QList<AdapterInfo> &all)
{
    QList<AdapterInfo> result;
    for (const AdapterInfo &info : all)
        for (const comassign::Adapter &a : unnamed)
            if (a.device == info.device)
                result.append(info);
    return result;
}

// Makes the planned links under the lock; the plan is made again there, since
// another instance may have numbered the same adapters meanwhile.
void applyPlan(const Environment &env, const QList<AdapterInfo> &list, Outcome *outcome)
{
    const auto plan = comassign::plan(forRule(list), links(env), builtInPorts(env));
    outcome->unnamed = infosOf(plan.unnamed, list);
    Record record = readRecord(env.linkFolder());
    for (const comassign::Change &change : plan.changes) {
        const QString path = linkIn(env, change.number);
        if (change.replaces)
            QFile::remove(path);
        QFile target(change.target);
        if (!target.link(path)) {
            outcome->error = QStringLiteral("%1: %2").arg(path, target.errorString());
            continue;
        }
        record.insert(change.number, change.target);
        outcome->made.append(change);
    }
    if (!outcome->made.isEmpty())
        writeRecord(env, record, &outcome->error);
}

bool lockFolder(const Environment &env, QLockFile &lock, QString *error)
{
    if (!QDir().mkpath(env.linkFolder())) {
        *error = QStringLiteral("%1: cannot be made").arg(env.linkFolder());
        return false;
    }
    if (lock.tryLock(kLockWaitMs))
        return true;
    *error = QStringLiteral("%1: cannot be locked (%2)")
                 .arg(lock.fileName(), lock.error() == QLockFile::LockFailedError ? QStringLiteral("busy")
                                                                                  : QStringLiteral("no permission"));
    return false;
}

QString lockPath(const Environment &env)
{
    return env.linkFolder() + QStringLiteral("/.lock");
}

} // namespace

QString Environment::linkFolder() const
{
    return folder.isEmpty() ? portnames::portFolder() : folder;
}

QList<AdapterInfo> adapters(const Environment &env)
{
    QList<AdapterInfo> list;
    for (AdapterInfo info : env.adapters ? *env.adapters : systemAdapters()) {
        if (isTtyS(info.device))
            continue;
        info.stableName = stableNameOf(env, info.device);
        list.append(info);
    }
    return list;
}

QSet<int> builtInPorts(const Environment &env)
{
    QSet<int> numbers;
    for (int n = 1; n <= comassign::kHighestNumber; ++n) {
        const QString node = env.devRoot + QStringLiteral("/ttyS%1").arg(n - 1);
        if (QFileInfo::exists(node) && !portstate::isPlaceholderTtyS(node, env.sysRoot))
            numbers.insert(n);
    }
    return numbers;
}

QList<comassign::Link> links(const Environment &env)
{
    const Record record = readRecord(env.linkFolder());
    const QDir folder(env.linkFolder());
    QList<comassign::Link> list;
    for (const QString &name : folder.entryList({QStringLiteral("com*")}, QDir::AllEntries | QDir::System)) {
        const int number = portnames::comNumber(name);
        if (number == 0 || name != name.toLower())
            continue;
        const QFileInfo entry(folder.filePath(name));
        comassign::Link link;
        link.number = number;
        link.target = entry.isSymLink() ? entry.symLinkTarget() : entry.filePath();
        link.device = entry.canonicalFilePath();
        link.automatic = entry.isSymLink() && record.value(number) == link.target;
        list.append(link);
    }
    std::sort(list.begin(), list.end(), [](const auto &a, const auto &b) { return a.number < b.number; });
    return list;
}

Outcome assignNumbers(const Environment &env)
{
    Outcome outcome;
    const QList<AdapterInfo> list = adapters(env);
    const auto plan = comassign::plan(forRule(list), links(env), builtInPorts(env));
    outcome.unnamed = infosOf(plan.unnamed, list);
    if (plan.changes.isEmpty())
        return outcome; // the usual case: nothing to write, no lock taken
    QLockFile lock(lockPath(env));
    if (lockFolder(env, lock, &outcome.error))
        applyPlan(env, list, &outcome);
    if (!outcome.error.isEmpty())
        qDebug() << "unable to name serial adapters:" << outcome.error;
    return outcome;
}

void assignBeforeOpening(const QString &portName)
{
    const int number = portnames::comNumber(portName);
    const QFileInfo link(portnames::linkPath(number));
    if (number == 0 || link.exists() || link.isSymLink())
        return;
    const Environment env;
    if (!builtInPorts(env).contains(number))
        assignNumbers(env);
}

bool mapByHand(const Environment &env, int number, const QString &target, QList<int> *dropped, QString *error)
{
    const QString path = linkIn(env, number);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isSymLink()) {
        *error = QStringLiteral("%1 is not a link; not touching it").arg(path);
        return false;
    }
    QLockFile lock(lockPath(env));
    if (!lockFolder(env, lock, error))
        return false;
    Record record = readRecord(env.linkFolder());
    // The adapter moves: its automatic name goes, so it has one name only.
    const QString device = QFileInfo(target).canonicalFilePath();
    for (const comassign::Link &link : links(env)) {
        if (link.automatic && link.number != number
            && (link.target == target || (!device.isEmpty() && link.device == device))) {
            QFile::remove(linkIn(env, link.number));
            record.remove(link.number);
            dropped->append(link.number);
        }
    }
    record.remove(number);
    QFile::remove(path);
    QFile file(target);
    if (!file.link(path)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return writeRecord(env, record, error);
}

bool unmap(const Environment &env, int number, QString *error)
{
    const QString path = linkIn(env, number);
    const QFileInfo existing(path);
    if (!existing.isSymLink()) {
        *error = existing.exists() ? QStringLiteral("%1 is not a link; not touching it").arg(path)
                                   : QStringLiteral("%1 has no link in %2").arg(portnames::comName(number), env.linkFolder());
        return false;
    }
    QLockFile lock(lockPath(env));
    if (!lockFolder(env, lock, error))
        return false;
    if (!QFile::remove(path)) {
        *error = QStringLiteral("%1: cannot be removed").arg(path);
        return false;
    }
    Record record = readRecord(env.linkFolder());
    record.remove(number);
    return writeRecord(env, record, error);
}

} // namespace portscan
