// rzm417-cli ports and the reasons a port fails, on real pseudo-terminals: one
// whose lock another process holds, one that the unprivileged user "nobody"
// may not open, links made and removed by hand.
#include "clirun.h"
#include "core/serial/portnames.h"
#include "ptypair.h"

#include "../porthold.h"
#include "../unprivileged.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>


namespace {

const QString kFix = QStringLiteral("sudo adduser $USER dialout, then log in again");

// The row of one COM name in `ports --json`.
QJsonObject row(const QString &json, const QString &com)
{
    const QJsonArray ports = QJsonDocument::fromJson(json.toUtf8()).object().value(QStringLiteral("ports")).toArray();
    for (const QJsonValue &port : ports)
        if (port.toObject().value(QStringLiteral("com")).toString() == com)
            return port.toObject();
    return {};
}

// The line of one COM name in the text table.
QString line(const QString &table, const QString &com)
{
    for (const QString &l : table.split(QLatin1Char('\n')))
        if (l.startsWith(com + QLatin1Char(' ')))
            return l.simplified();
    return {};
}

} // namespace

class tst_cli_ports : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lockHeldByAnotherProcess();
    void noPermissionAsNobody();
    void missingAndNotSerial();
    void mapAndUnmap();
};

void tst_cli_ports::init()
{
    QDir folder(portnames::portFolder());
    folder.removeRecursively();
    QVERIFY(folder.mkpath(QStringLiteral(".")));
}

void tst_cli_ports::lockHeldByAnotherProcess()
{
    PtyPair pty;
    QVERIFY(QFile::link(pty.slavePath(), portnames::linkPath(4)));
    QProcess holder;
    QVERIFY(porthold::start(holder, pty.slavePath()));
    const QString reason = QStringLiteral("in use by tst_cli_ports (PID %1)").arg(holder.processId());

    CliRun run = runCli({QStringLiteral("ports"), QStringLiteral("--json")});
    QCOMPARE(run.code, 0);
    const QJsonObject com4 = row(run.out, QStringLiteral("COM4"));
    QCOMPARE(com4.value(QStringLiteral("device")).toString(), pty.slavePath());
    QCOMPARE(com4.value(QStringLiteral("origin")).toString(), QStringLiteral("by hand"));
    QCOMPARE(com4.value(QStringLiteral("state")).toString(), QStringLiteral("in use"));
    QCOMPARE(com4.value(QStringLiteral("pid")).toInteger(), holder.processId());
    QCOMPARE(com4.value(QStringLiteral("process")).toString(), QStringLiteral("tst_cli_ports"));
    QCOMPARE(com4.value(QStringLiteral("reason")).toString(), reason);

    run = runCli({QStringLiteral("ports")});
    QCOMPARE(run.code, 0);
    QCOMPARE(line(run.out, QStringLiteral("COM4")), QStringLiteral("COM4 %1 by hand - %2").arg(pty.slavePath(), reason));

    // The transfer that cannot have the port says who has it.
    run = runCli({QStringLiteral("readout"), QStringLiteral("--port"), QStringLiteral("COM4"), QStringLiteral("-o"),
                  QDir::temp().filePath(QStringLiteral("rzm417-never-written.k83"))});
    QCOMPARE(run.code, 3);
    QCOMPARE(run.err.trimmed(), QStringLiteral("rzm417-cli: COM4: %1 cannot be opened: %2").arg(pty.slavePath(), reason));

    QVERIFY(porthold::stop(holder));
    run = runCli({QStringLiteral("ports"), QStringLiteral("--json")});
    QCOMPARE(row(run.out, QStringLiteral("COM4")).value(QStringLiteral("state")).toString(), QStringLiteral("free"));
}

void tst_cli_ports::noPermissionAsNobody()
{
    if (const QString why = unprivileged::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("rzm417/ports"));
    QVERIFY(QDir().mkpath(folder));
    PtyPair pty;
    QVERIFY(unprivileged::likeAnAdapter(pty.slavePath()));
    QVERIFY(QFile::link(pty.slavePath(), folder + QStringLiteral("/com5")));
    QVERIFY(unprivileged::giveToNobody(home.path()));
    unprivileged::Runner nobody(QStringLiteral(RZM_CLI_PATH));
    QVERIFY(nobody.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());

    auto run = nobody.run({QStringLiteral("readout"), QStringLiteral("--port"), QStringLiteral("COM5"),
                           QStringLiteral("-o"), home.filePath(QStringLiteral("out.k83"))},
                          environment);
    QCOMPARE(run.code, 3);
    QCOMPARE(run.err.trimmed(), QStringLiteral("rzm417-cli: COM5: %1 cannot be opened: no permission (fix: %2)")
                                    .arg(pty.slavePath(), kFix));
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("out.k83"))));

    run = nobody.run({QStringLiteral("ports"), QStringLiteral("--json")}, environment);
    QCOMPARE(run.code, 0);
    const QJsonObject com5 = row(run.out, QStringLiteral("COM5"));
    QCOMPARE(com5.value(QStringLiteral("state")).toString(), QStringLiteral("no permission"));
    QCOMPARE(com5.value(QStringLiteral("fix")).toString(), kFix);
    QCOMPARE(com5.value(QStringLiteral("reason")).toString(), QStringLiteral("no permission (fix: %1)").arg(kFix));
    // In the table the fix stands on a line of its own under the row.
    run = nobody.run({QStringLiteral("ports")}, environment);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    const qsizetype at = lines.indexOf(QRegularExpression(QStringLiteral("^COM5 .*")));
    QVERIFY2(at > 0, qPrintable(run.out));
    QCOMPARE(lines[at].simplified(), QStringLiteral("COM5 %1 by hand - no permission").arg(pty.slavePath()));
    QCOMPARE(lines.value(at + 1).simplified(), QStringLiteral("fix: ") + kFix);
}

void tst_cli_ports::missingAndNotSerial()
{
    QTemporaryDir dir;
    const QString unplugged = dir.filePath(QStringLiteral("by-id/usb-FTDI_FT232R_A50285BI-if00-port0"));
    const QString file = dir.filePath(QStringLiteral("notes.txt"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(unplugged, portnames::linkPath(2)));
    QVERIFY(QFile::link(file, portnames::linkPath(3)));

    CliRun run = runCli({QStringLiteral("ports")});
    QCOMPARE(run.code, 0);
    QCOMPARE(line(run.out, QStringLiteral("COM2")), QStringLiteral("COM2 %1 by hand - missing (adapter unplugged)").arg(unplugged));
    QCOMPARE(line(run.out, QStringLiteral("COM3")), QStringLiteral("COM3 %1 by hand - not a serial port").arg(file));

    const QStringList readout{QStringLiteral("readout"), QStringLiteral("--port"), QStringLiteral("COM2"),
                              QStringLiteral("-o"), dir.filePath(QStringLiteral("out.k83"))};
    run = runCli(readout);
    QCOMPARE(run.code, 3);
    const QString error = QStringLiteral("rzm417-cli: COM2: %1 cannot be opened: missing (adapter unplugged)").arg(unplugged);
    QCOMPARE(run.err.trimmed(), error);
    // --debug, wherever it stands, adds the developer's line before the error.
    run = runCli(readout + QStringList{QStringLiteral("--debug")});
    QCOMPARE(run.code, 3);
    QCOMPARE(run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts), (QStringList{QStringLiteral("unable to open comport"), error}));
}

void tst_cli_ports::mapAndUnmap()
{
    PtyPair pty;
    // An automatic name of the pty, as the program records it.
    QVERIFY(QFile::link(pty.slavePath(), portnames::linkPath(7)));
    QFile record(portnames::portFolder() + QStringLiteral("/.automatic"));
    QVERIFY(record.open(QIODevice::WriteOnly));
    record.write(QStringLiteral("com7 %1\n").arg(pty.slavePath()).toUtf8());
    record.close();
    QCOMPARE(row(runCli({QStringLiteral("ports"), QStringLiteral("--json")}).out, QStringLiteral("COM7"))
                 .value(QStringLiteral("origin")).toString(),
             QStringLiteral("automatic"));

    // Mapped by hand elsewhere: the device moves, its automatic name goes.
    CliRun run = runCli({QStringLiteral("ports"), QStringLiteral("map"), QStringLiteral("com6"), pty.slavePath()});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("COM7 removed: it named the same device\nCOM6 -> %1 (by hand): free\n").arg(pty.slavePath()));
    QVERIFY(!QFileInfo(portnames::linkPath(7)).isSymLink());
    QCOMPARE(QFileInfo(portnames::linkPath(6)).symLinkTarget(), pty.slavePath());
    QCOMPARE(row(runCli({QStringLiteral("ports"), QStringLiteral("--json")}).out, QStringLiteral("COM6"))
                 .value(QStringLiteral("origin")).toString(),
             QStringLiteral("by hand"));

    run = runCli({QStringLiteral("ports"), QStringLiteral("unmap"), QStringLiteral("COM6")});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("COM6 unmapped (was %1)\n").arg(pty.slavePath()));
    QVERIFY(!QFileInfo::exists(portnames::linkPath(6)));

    run = runCli({QStringLiteral("ports"), QStringLiteral("unmap"), QStringLiteral("COM6")});
    QCOMPARE(run.code, 1);
    QVERIFY(run.oneLineError());
    run = runCli({QStringLiteral("ports"), QStringLiteral("map"), QStringLiteral("LPT1"), pty.slavePath()});
    QCOMPARE(run.code, 2);
    QVERIFY(run.oneLineError());
    // Something that is not a link is not the program's to replace.
    QVERIFY(QDir().mkpath(portnames::linkPath(9)));
    run = runCli({QStringLiteral("ports"), QStringLiteral("map"), QStringLiteral("COM9"), pty.slavePath()});
    QCOMPARE(run.code, 5);
    QVERIFY(run.err.contains(QStringLiteral("is not a link; not touching it")));
}

// The tests with a ports folder of their own; "--hold DEVICE" is the other
// program that holds a port.
int main(int argc, char **argv)
{
    if (int code = 0; porthold::runHolder(argc, argv, &code))
        return code;
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    tst_cli_ports test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cli_ports.moc"
