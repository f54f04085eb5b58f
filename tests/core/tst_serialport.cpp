#include "core/serial/portnames.h"
#include "core/serial/serialport.h"
#include "ptypair.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class tst_SerialPort : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void missingPortFails();
    void lineSettings();
    void secondOpenRefused();
    void comNumbersThroughPortFolder_data();
    void comNumbersThroughPortFolder();
    void bytesBothWays();
    void waitingByteReturnsAtOnce();
    void silenceWaitsTheProfile();
    void badProfileClosesPort();
    void hangUpEndsReads();
    void interruptCutsWait();
    void slowDrainLosesNoWrittenByte();
};

void tst_SerialPort::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_SerialPort::missingPortFails()
{
    SerialPort port;
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    QVERIFY(!port.open(QStringLiteral("/dev/rzm417-no-such-port")));
    QVERIFY(!port.isOpen());
    QVERIFY(!QFile::exists(QStringLiteral("/dev/rzm417-no-such-port")));
    quint8 b = 7;
    QCOMPARE(port.readByte(&b), 0);
    QCOMPARE(port.writeByte('x'), 0);
}

void tst_SerialPort::lineSettings()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    // Start from a different setting so the check proves configure() changed it.
    termios t{};
    QVERIFY(tcgetattr(pty.masterFd(), &t) == 0);
    cfsetospeed(&t, B9600);
    t.c_cflag |= PARENB | CSTOPB | CRTSCTS;
    t.c_iflag |= IXON | IXOFF;
    QVERIFY(tcsetattr(pty.masterFd(), TCSANOW, &t) == 0);

    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 5000));
    QVERIFY(tcgetattr(pty.masterFd(), &t) == 0);
    QCOMPARE(cfgetospeed(&t), speed_t(B1200));
    QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
    port.close();
    QVERIFY(!port.isOpen());
}

void tst_SerialPort::secondOpenRefused()
{
    PtyPair pty;
    SerialPort first;
    QVERIFY(first.open(pty.slavePath()));
    SerialPort second;
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    QVERIFY(!second.open(pty.slavePath()));
    first.close();
    QVERIFY(second.open(pty.slavePath())); // the lock went with the close
}

void tst_SerialPort::comNumbersThroughPortFolder_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("COM1") << 1;
    QTest::newRow("COM10") << 10;
    QTest::newRow("COM32") << 32;
}

void tst_SerialPort::comNumbersThroughPortFolder()
{
    QFETCH(int, number);
    PtyPair pty;
    const QString link = portnames::linkPath(number);
    QDir().mkpath(portnames::portFolder());
    QFile::remove(link);
    QVERIFY(QFile::link(pty.slavePath(), link));
    SerialPort port;
    QVERIFY(port.open(QStringLiteral("COM%1").arg(number)));
    QVERIFY(port.configure(0, 5000));
    QCOMPARE(port.writeByte('!'), 1);
    char c = 0;
    QCOMPARE(::read(pty.masterFd(), &c, 1), ssize_t(1));
    QCOMPARE(c, '!');
    port.close();
    QFile::remove(link);
}

void tst_SerialPort::bytesBothWays()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(1500, 0));
    for (int b : {0, 13, 124, 164, 255})
        QCOMPARE(port.writeByte(quint8(b)), 1);
    // The pty hands over what has arrived so far: a busy machine may split the five.
    QByteArray got;
    QElapsedTimer waited;
    waited.start();
    while (got.size() < 5 && waited.elapsed() < 2000) {
        char buffer[5];
        const ssize_t n = ::read(pty.masterFd(), buffer, size_t(5 - got.size()));
        if (n > 0)
            got.append(buffer, n);
    }
    QCOMPARE(got, QByteArray("\x00\x0d\x7c\xa4\xff", 5));

    const QByteArray answer("\xffR\r", 3);
    QCOMPARE(::write(pty.masterFd(), answer.data(), 3), ssize_t(3));
    QByteArray read;
    quint8 b = 0;
    while (port.readByte(&b) == 1)
        read.append(char(b));
    QCOMPARE(read, answer);
}

void tst_SerialPort::waitingByteReturnsAtOnce()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 5000));
    QCOMPARE(::write(pty.masterFd(), "RD", 2), ssize_t(2));
    QTest::qWait(20); // both bytes are in the driver before the first read
    QElapsedTimer timer;
    timer.start();
    quint8 b = 0;
    QCOMPARE(port.readByte(&b), 1);
    QCOMPARE(b, quint8('R'));
    // The second byte sits in QSerialPort's own buffer now.
    QCOMPARE(port.readByte(&b), 1);
    QCOMPARE(b, quint8('D'));
    // Waiting for the driver instead would cost the whole 5000 ms time-out.
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

void tst_SerialPort::silenceWaitsTheProfile()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(100, 200)); // at most 300 ms for one byte
    QElapsedTimer timer;
    timer.start();
    quint8 b = 42;
    QCOMPARE(port.readByte(&b), 0);
    const qint64 ms = timer.elapsed();
    QCOMPARE(b, quint8(42)); // untouched
    QVERIFY2(ms >= 295 && ms < 1500, qPrintable(QString::number(ms))); // not the 5000 ms default
    QVERIFY(!port.lineLost());
}

void tst_SerialPort::badProfileClosesPort()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QTest::ignoreMessage(QtDebugMsg, "unable to set comport time-out settings");
    QVERIFY(!port.configure(-1, 5000));
    QVERIFY(!port.isOpen());
    SerialPort again; // the lock file went with the close
    QVERIFY(again.open(pty.slavePath()));
}

void tst_SerialPort::hangUpEndsReads()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 5000));
    pty.closeMaster();
    QElapsedTimer timer;
    timer.start();
    quint8 b = 0;
    for (int i = 0; i < 100; ++i)
        QCOMPARE(port.readByte(&b), 0);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(port.lineLost());
    QCOMPARE(port.writeByte('x'), 0);
    port.close();
}

void tst_SerialPort::interruptCutsWait()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 5000));
    QElapsedTimer timer;
    timer.start();
    port.setInterruptCheck([&timer] { return timer.elapsed() > 150; });
    quint8 b = 0;
    QCOMPARE(port.readByte(&b), 0);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed()))); // not the whole 5000 ms
}

// A line that takes a byte only after a long pause (a pseudo-terminal wakes its
// writer only once half its buffer is read) must not make a byte count as unsent
// while it still goes out: every byte the module receives was reported and traced.
void tst_SerialPort::slowDrainLosesNoWrittenByte()
{
    PtyPair pty;
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 100));
    int reported = 0;
    int traced = 0;
    port.setByteObserver([&traced](bool sent, quint8) { traced += sent ? 1 : 0; });
    // Nobody reads the master: the driver buffer fills, then one write waits it out.
    QElapsedTimer slowest;
    qint64 longest = 0;
    for (int attempts = 0; longest < 4000 && attempts < 1'000'000; ++attempts) {
        slowest.start();
        reported += port.writeByte(quint8('a' + reported % 26));
        longest = qMax(longest, slowest.elapsed());
    }
    QVERIFY2(longest >= 4000, "the driver never held a byte back");
    QVERIFY(!port.lineLost());
    // The far end now reads everything; one more byte pushes out what still waits.
    const int master = pty.masterFd();
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    qint64 received = 0;
    auto drain = [&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            received += n;
    };
    QElapsedTimer waited;
    waited.start();
    drain();
    reported += port.writeByte('z');
    while (received < reported && waited.elapsed() < 5000) {
        QTest::qWait(10);
        drain();
    }
    drain();
    QCOMPARE(received, qint64(reported));
    QCOMPARE(traced, reported);
}

QTEST_GUILESS_MAIN(tst_SerialPort)
#include "tst_serialport.moc"
