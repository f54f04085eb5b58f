// The numbering applied to a ports folder: a real pseudo-terminal stands in
// for a USB adapter, with its stable name in a /dev root and the ttyS type in a
// /sys root of the test's own, so no real adapter is needed.
#include "core/serial/portnames.h"
#include "core/serial/portscan.h"
#include "core/serial/portstate.h"
#include "core/serial/serialport.h"
#include "ptypair.h"

#include <QDir>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString target(int number)
{
    return QFileInfo(portnames::linkPath(number)).symLinkTarget();
}

} // namespace

class tst_portscan : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linksRealPty_data();
    void linksRealPty();
    void handMadeLinksStay();
    void plainNameMovesToStableName();
    void examineStates();

private:
    portscan::Environment environment(bool withStableName);

    std::unique_ptr<QTemporaryDir> m_roots;
    std::unique_ptr<PtyPair> m_pty;
    QString m_byId;
};

void tst_portscan::init()
{
    QDir(portnames::portFolder()).removeRecursively();
    m_roots = std::make_unique<QTemporaryDir>();
    m_pty = std::make_unique<PtyPair>();
    QVERIFY(m_pty->isValid());
    m_byId = m_roots->filePath(QStringLiteral("dev/serial/by-id/usb-Test_Adapter_A1-if00-port0"));
}

portscan::Environment tst_portscan::environment(bool withStableName)
{
    if (withStableName) {
        QDir().mkpath(QFileInfo(m_byId).absolutePath());
        QFile::link(m_pty->slavePath(), m_byId);
    }
    portscan::Environment env;
    env.devRoot = m_roots->filePath(QStringLiteral("dev"));
    env.sysRoot = m_roots->filePath(QStringLiteral("sys"));
    portscan::AdapterInfo adapter;
    adapter.device = m_pty->slavePath();
    adapter.description = QStringLiteral("Test adapter");
    env.adapters = QList<portscan::AdapterInfo>{adapter};
    return env;
}

void tst_portscan::linksRealPty_data()
{
    QTest::addColumn<QByteArray>("ttyS0Type"); // empty: no ttyS0 node at all
    QTest::addColumn<int>("number");
    QTest::newRow("placeholder ttyS0: COM1") << QByteArray("0\n") << 1;
    QTest::newRow("no ttyS0: COM1") << QByteArray() << 1;
    QTest::newRow("real ttyS0 (16550A): COM2") << QByteArray("4\n") << 2;
}

void tst_portscan::linksRealPty()
{
    QFETCH(QByteArray, ttyS0Type);
    QFETCH(int, number);
    const auto env = environment(true);
    if (!ttyS0Type.isEmpty()) {
        QVERIFY(writeText(env.devRoot + QStringLiteral("/ttyS0"), {}));
        QVERIFY(writeText(env.sysRoot + QStringLiteral("/class/tty/ttyS0/type"), ttyS0Type));
    }
    const auto outcome = portscan::assignNumbers(env);
    QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
    QCOMPARE(outcome.made.size(), 1);
    QCOMPARE(outcome.made.first().number, number);
    QCOMPARE(target(number), m_byId); // the stable name, so any USB socket keeps the number
    QCOMPARE(portnames::systemLocation(QStringLiteral("COM%1").arg(number)), m_pty->slavePath());
    const auto links = portscan::links(env);
    QCOMPARE(links.size(), 1);
    QVERIFY(links.first().automatic);

    // A byte written to COMn arrives on the adapter's line.
    SerialPort port;
    QVERIFY(port.open(QStringLiteral("COM%1").arg(number)));
    QVERIFY(port.configure(0, 100));
    QCOMPARE(port.writeByte('R'), 1);
    port.close();
    char byte = 0;
    QCOMPARE(::read(m_pty->masterFd(), &byte, 1), ssize_t(1));
    QCOMPARE(byte, 'R');

    // A second look finds it named: nothing changes.
    QVERIFY(portscan::assignNumbers(env).made.isEmpty());
}

void tst_portscan::handMadeLinksStay()
{
    const auto env = environment(true);
    QVERIFY(portscan::assignNumbers(env).made.size() == 1);
    // The user re-points COM1 by hand: it is theirs now, and the adapter needs a new name.
    QVERIFY(QFile::remove(portnames::linkPath(1)));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), portnames::linkPath(1)));
    QVERIFY(!portscan::links(env).first().automatic);
    const auto outcome = portscan::assignNumbers(env);
    QCOMPARE(outcome.made.size(), 1);
    QCOMPARE(outcome.made.first().number, 2);
    QCOMPARE(target(1), QStringLiteral("/dev/null"));
    QCOMPARE(target(2), m_byId);
    // Unplugged (no adapter listed, its stable name gone): COM2 stays reserved.
    QFile::remove(m_byId);
    auto unplugged = env;
    unplugged.adapters = QList<portscan::AdapterInfo>();
    QVERIFY(portscan::assignNumbers(unplugged).made.isEmpty());
    QCOMPARE(target(2), m_byId);
}

void tst_portscan::plainNameMovesToStableName()
{
    // Numbered before udev made the stable name: the link names the plain device.
    auto env = environment(false);
    QCOMPARE(portscan::assignNumbers(env).made.size(), 1);
    QCOMPARE(target(1), m_pty->slavePath());
    // Once the stable name is there, the program's own link moves to it.
    env = environment(true);
    const auto outcome = portscan::assignNumbers(env);
    QCOMPARE(outcome.made.size(), 1);
    QVERIFY(outcome.made.first().replaces);
    QCOMPARE(target(1), m_byId);
    QVERIFY(portscan::links(env).first().automatic);
}

void tst_portscan::examineStates()
{
    using portstate::State;
    QCOMPARE(portstate::examine(m_pty->slavePath()).state, State::Free);
    QCOMPARE(portstate::examine(m_roots->filePath(QStringLiteral("gone"))).state, State::Missing);
    QVERIFY(writeText(m_roots->filePath(QStringLiteral("file")), "x"));
    QCOMPARE(portstate::examine(m_roots->filePath(QStringLiteral("file"))).state, State::NotSerial);
    QCOMPARE(portstate::examine(QStringLiteral("/dev/null")).state, State::NotSerial);

    QSerialPort holder(m_pty->slavePath());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    const auto held = portstate::examine(m_pty->slavePath());
    QCOMPARE(held.state, State::InUse);
    QCOMPARE(held.pid, qint64(::getpid()));
    QCOMPARE(held.process, QStringLiteral("tst_portscan"));
    QCOMPARE(portstate::describe(held), QStringLiteral("in use by tst_portscan (PID %1)").arg(::getpid()));
}

// The ports folder lives under XDG_DATA_HOME, set before Qt reads it.
int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    tst_portscan test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_portscan.moc"
