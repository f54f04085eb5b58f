#include "core/serial/serialport.h"
#include "core/transfer/transfertext.h"
#include "modulesimulator.h"
#include "ptypair.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

using Fault = SimBehaviour::Fault;

namespace {

QStringList sampleFields()
{
    QStringList fields;
    for (int i = 0; i < ModuleSimulator::FieldCount; ++i)
        fields.append(QStringLiteral("f%1").arg(i).leftJustified(16));
    return fields;
}

QByteArray readAll(SerialPort &port)
{
    QByteArray bytes;
    quint8 b = 0;
    while (port.readByte(&b) == 1)
        bytes.append(char(b));
    return bytes;
}

QByteArray fieldLines(const QStringList &fields, char pad = ' ')
{
    QByteArray bytes;
    for (const QString &f : fields) {
        QByteArray field = f.toLatin1();
        for (qsizetype k = field.size() - 1; k >= 0 && field[k] == ' '; --k)
            field[k] = pad;
        bytes += field + '\r';
    }
    return bytes;
}

// A program on the pty that reads only when told to, byte by byte, so the
// module sees each of its reads.
struct RawProgram
{
    explicit RawProgram(const QString &path)
        : fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
    }
    ~RawProgram()
    {
        if (fd >= 0)
            ::close(fd);
    }
    void write(const QByteArray &bytes) const
    {
        for (char c : bytes)
            QCOMPARE_EQ(::write(fd, &c, 1), 1);
    }
    int read(int timeoutMs) const // the byte, or -1 after the time-out
    {
        pollfd p{fd, POLLIN, 0};
        unsigned char c = 0;
        if (::poll(&p, 1, timeoutMs) <= 0 || ::read(fd, &c, 1) != 1)
            return -1;
        return c;
    }
    int fd;
};

} // namespace

class tst_ModuleSimulator : public QObject
{
    Q_OBJECT
private slots:
    void readout_data();
    void readout();
    void readoutGapEndsAnswer();
    void downloadStoresFields_data();
    void downloadStoresFields();
    void hangUpClosesLine();
    void pacedAtLineRate();
    void turnaroundsAreTheProgramsPauses_data();
    void turnaroundsAreTheProgramsPauses();
};

void tst_ModuleSimulator::readout_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("expected");
    const QStringList f = sampleFields();
    QTest::newRow("normal") << int(Fault::None) << QByteArray("\r\r") + fieldLines(f) + 'E';
    QTest::newRow("preamble") << int(Fault::Preamble) << QByteArray("RZM-417 v1.0\r\r") + fieldLines(f) + 'E';
    QTest::newRow("pad255") << int(Fault::Pad255) << QByteArray("\r\r") + fieldLines(f, char(0xFF)) + 'E';
    QTest::newRow("too few") << int(Fault::FieldTooFew) << QByteArray("\r\r") + fieldLines(f.mid(0, 91)) + 'E';
    QTest::newRow("too many") << int(Fault::FieldTooMany)
                              << QByteArray("\r\r") + fieldLines(f + QStringList{QString(16, ' ')}) + 'E';
    QTest::newRow("silence") << int(Fault::Silence) << QByteArray();
    QTest::newRow("download fault no-r") << int(Fault::NoReady) << QByteArray("\r\r") + fieldLines(f) + 'E';
    QTest::newRow("download fault no second byte") << int(Fault::NoSecondByte) << QByteArray("\r\r") + fieldLines(f) + 'E';
}

void tst_ModuleSimulator::readout()
{
    QFETCH(int, fault);
    QFETCH(QByteArray, expected);
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    sim.setFields(sampleFields());
    SimBehaviour b;
    b.fault = Fault(fault);
    sim.setBehaviour(b);
    sim.start(pty.masterFd());

    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 300));
    port.writeByte('~');
    port.writeByte('{');
    QCOMPARE(readAll(port), expected);
    QVERIFY(sim.waitForExchanges(1, 1000));
    QCOMPARE(sim.received(), QByteArray("~{"));
    QCOMPARE(sim.sent(), expected);
}

void tst_ModuleSimulator::readoutGapEndsAnswer()
{
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    SimBehaviour b;
    b.fault = Fault::LongGap;
    sim.setBehaviour(b);
    sim.start(pty.masterFd());
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(1500, 0)); // the read-out's profile
    port.writeByte('~');
    port.writeByte('{');
    QElapsedTimer timer;
    timer.start();
    const QByteArray first = readAll(port);
    QVERIFY(timer.elapsed() >= 1500);
    QCOMPARE(first.size(), 2 + 47 * 17); // up to the pause after field 47
    QCOMPARE(readAll(port).size(), 45 * 17 + 1); // the rest came after the reader gave up
}

void tst_ModuleSimulator::downloadStoresFields_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("ack");
    QTest::addColumn<QString>("checksum");
    QTest::newRow("OK, no checksum") << int(Fault::None) << QByteArray("OK") << QString();
    QTest::newRow("xy, checksum 17") << int(Fault::None) << QByteArray("xy") << QStringLiteral("17");
    // The faults of the read-out's answer leave the download as it is.
    for (const Fault fault : {Fault::Preamble, Fault::Pad255, Fault::LongGap, Fault::FieldTooFew,
                              Fault::FieldTooMany, Fault::Flood})
        QTest::addRow("read-out fault %d", int(fault)) << int(fault) << QByteArray("OK") << QString();
}

void tst_ModuleSimulator::downloadStoresFields()
{
    QFETCH(int, fault);
    QFETCH(QByteArray, ack);
    QFETCH(QString, checksum);
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    SimBehaviour b;
    b.fault = Fault(fault);
    b.acknowledge = ack;
    sim.setBehaviour(b);
    QStringList stored;
    sim.setStoreSink([&stored](const QStringList &fields) { stored = fields; });
    sim.start(pty.masterFd());

    QStringList fields = sampleFields();
    fields[7] = QStringLiteral("0005");
    const QString text = fields.join(QLatin1Char('|')) + checksum;
    const QByteArray lines = transfer::lineBytes(text, '|');

    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 1000));
    port.writeByte('~');
    port.writeByte('}');
    quint8 r = 0;
    QCOMPARE(port.readByte(&r), 1);
    QCOMPARE(r, quint8('R'));
    QCOMPARE(port.readByte(&r), 1);
    QCOMPARE(r, quint8('D'));
    for (char c : lines)
        port.writeByte(quint8(c));
    QByteArray answer;
    while (answer.size() < ack.size() && port.readByte(&r) == 1)
        answer.append(char(r));
    QCOMPARE(answer, ack);
    QVERIFY(sim.waitForExchanges(1, 1000));
    QCOMPARE(sim.sent(), "RD" + ack); // and nothing after it
    QCOMPARE(sim.received(), QByteArray("~}") + lines);
    fields[7] = QStringLiteral("0005").leftJustified(16);
    QCOMPARE(sim.fields(), fields);
    QCOMPARE(stored, fields);
    QCOMPARE(sim.lastChecksum(), checksum);
}

void tst_ModuleSimulator::hangUpClosesLine()
{
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    SimBehaviour b;
    b.fault = Fault::HangUp;
    b.hangUpAfter = 10; // "~{", then 8 bytes of the answer
    sim.setBehaviour(b);
    sim.start(pty.takeMaster(), true);
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 5000));
    port.writeByte('~');
    port.writeByte('{');
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(readAll(port).size(), 8);
    QVERIFY(port.lineLost());
    QVERIFY(timer.elapsed() < 2500); // not the 5000 ms the reader may wait for a byte
    QVERIFY(sim.waitForExchanges(1, 1000));
}

void tst_ModuleSimulator::pacedAtLineRate()
{
    PtyPair pty;
    ModuleSimulator sim; // paced by default
    sim.start(pty.masterFd());
    SerialPort port;
    QVERIFY(port.open(pty.slavePath()));
    QVERIFY(port.configure(0, 1000));
    QElapsedTimer timer;
    timer.start();
    port.writeByte('~');
    port.writeByte('}');
    quint8 r = 0;
    QCOMPARE(port.readByte(&r), 1);
    QCOMPARE(r, quint8('R'));
    QCOMPARE(port.readByte(&r), 1);
    // Four bytes on a 1200-baud line: 33.3 ms, never less. A busy machine (a
    // sanitizer build beside other work) may add to it, but a module paced at a
    // bit's time per byte, or at no pace, shows; bench_transfer measures the rate.
    QVERIFY2(timer.elapsed() >= 33 && timer.elapsed() < 250, qPrintable(QString::number(timer.elapsed())));
}

void tst_ModuleSimulator::turnaroundsAreTheProgramsPauses_data()
{
    QTest::addColumn<int>("pauseMs");
    QTest::newRow("at once") << 0;
    QTest::newRow("pausing 200 ms") << 200;
}

// The module measures from its "R", from the text's last byte and from the
// read request to the program's next move; a program that pauses there shows
// its pause, one figure per step.
void tst_ModuleSimulator::turnaroundsAreTheProgramsPauses()
{
    QFETCH(int, pauseMs);
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    std::mutex mutex;
    QMap<Turnaround, QList<double>> measured; // ms
    sim.setTurnaroundSink([&](Turnaround step, std::chrono::nanoseconds took) {
        std::lock_guard lock(mutex);
        measured[step].append(took.count() / 1e6);
    });
    sim.start(pty.masterFd());
    RawProgram program(pty.slavePath());
    QVERIFY(program.fd >= 0);

    program.write("~}");
    QCOMPARE(program.read(1000), int('R'));
    QCOMPARE(program.read(1000), int('D'));
    QThread::msleep(pauseMs);
    program.write(transfer::lineBytes(sampleFields().join(QLatin1Char('|')), '|'));
    QThread::msleep(pauseMs);
    QCOMPARE(program.read(1000), int('O'));
    QCOMPARE(program.read(1000), int('K'));
    QVERIFY(sim.waitForExchanges(1, 2000));

    program.write("~{");
    QThread::msleep(pauseMs);
    QCOMPARE(program.read(1000), int('\r'));
    while (program.read(300) >= 0) {
    }
    QVERIFY(sim.waitForExchanges(2, 2000));

    std::lock_guard lock(mutex);
    QCOMPARE(measured.keys(), (QList<Turnaround>{Turnaround::ReadyToText, Turnaround::TextToAckRead,
                                                  Turnaround::RequestToRead}));
    for (const QList<double> &figures : std::as_const(measured)) {
        QCOMPARE(figures.size(), 1);
        // The pause shows. The module sees a byte a little after the program wrote it,
        // and a busy machine may add to either side, but not half the pause or a second.
        QVERIFY2(figures[0] >= pauseMs / 2 && figures[0] < pauseMs + 1000, qPrintable(QString::number(figures[0])));
    }
}

QTEST_GUILESS_MAIN(tst_ModuleSimulator)
#include "tst_modulesimulator.moc"
