// The device commands of the real rzm417-cli binary through real pseudo-terminals,
// with the simulated module on the master side: success and main failure of
// download (one and several ports), readout and verify, and the trace.
#include "cli/fieldcheck.h"
#include "climodule.h"
#include "clirun.h"
#include "core/fieldrules.h"
#include "core/files/configfile.h"
#include "core/serial/serialport.h"
#include "core/transfer/transfertext.h"

#include "diskfiles.h"
#include "sampleforms.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

using fixtures::readAll;
using fixtures::writeAll;
using Fault = SimBehaviour::Fault;

class tst_cli_device : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void downloadOne();
    void downloadParallelReportsPerPort();
    void progressBarOnTerminal();
    void downloadRefusedSendsNothing();
    void badPorts_data();
    void badPorts();
    void readoutWritesFile();
    void readoutFailuresWriteNothing_data();
    void readoutFailuresWriteNothing();
    void readoutRefusesUnloadableFile();
    void verifyMatch();
    void verifyNamesDifferences();
    void verifyNoAnswer();

private:
    QString write(const QString &name, const FormContent &form) { return fixtures::writeForm(*m_dir, name, form); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_cli_device::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_cli_device::downloadOne()
{
    Module module;
    const FormContent form = fixtures::richForm();
    const QString trace = m_dir->filePath("trace.txt");
    const CliRun run = runCli({"download", write("full.k83", form), "--port", module.port(), "--trace", trace});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.startsWith(module.port() + ": ok, acknowledged ("), qPrintable(run.out));
    QCOMPARE(run.err, QString()); // stderr is no terminal here: no progress bar
    QCOMPARE(module.sim.fields(), transfer::fields(form));

    // The exact bytes on the line, and the trace that shows them.
    const auto text = transfer::buildTransferText(form, LinkSettings());
    QCOMPARE(module.sim.received(), QByteArray("~}") + transfer::lineBytes(text.text, '|'));
    const QStringList lines = QString::fromUtf8(readAll(trace)).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 92);
    QVERIFY2(lines[1].contains(module.port() + " > 7E 7D") && lines[1].endsWith("|~}|"), qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(module.port() + " < 52 44") && lines[2].endsWith("|RD|"), qPrintable(lines[2]));
    QVERIFY2(lines[3].contains(" > 33 36 37 30 39 39 39 36 35 30 30 20 20 20 20 20 0D")
                 && lines[3].endsWith("|36709996500     .|"), qPrintable(lines[3]));
    QCOMPARE(lines.filter(module.port() + " > ").size(), 1 + 92); // "~}", then one line a field
    QVERIFY2(lines.last().contains("# download") && lines.last().contains("ok, acknowledged"), qPrintable(lines.last()));
    QVERIFY(module.portFree());
}

void tst_cli_device::downloadParallelReportsPerPort()
{
    Module a;
    Module silent(Fault::NoReady);
    Module c;
    Module mute(Fault::NoReady);
    const FormContent form = fixtures::filledForm();
    const QString trace = m_dir->filePath("trace.txt");
    const CliRun run = runCli({"download", write("f.k83", form), "-p", a.port(), "-p", silent.port(),
                               "-p", c.port(), "-p", mute.port(), "--trace", trace});
    QCOMPARE(run.code, 4);
    QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts).size(), 4);
    QVERIFY2(run.out.contains(a.port() + ": ok, acknowledged"), qPrintable(run.out));
    for (const Module *m : {&silent, &mute})
        QVERIFY2(run.out.contains(m->port() + ": failed: no answer (no \"R\" within 5 s)"), qPrintable(run.out));
    QVERIFY2(run.out.contains(c.port() + ": ok, acknowledged"), qPrintable(run.out));
    QCOMPARE(a.sim.fields(), transfer::fields(form));
    QCOMPARE(c.sim.fields(), transfer::fields(form));
    QCOMPARE(a.sim.received(), c.sim.received());
    // In parallel: the two silent modules' 5 s waits are not added up.
    QVERIFY2(run.ms < 9000, qPrintable(QString::number(run.ms)));
    // One trace holds every port, one after another.
    const QString log = QString::fromUtf8(readAll(trace));
    for (const Module *m : {&a, &silent, &c, &mute})
        QVERIFY(log.contains(m->port() + " > 7E 7D"));
    QVERIFY(a.portFree() && silent.portFree() && c.portFree() && mute.portFree());
}

void tst_cli_device::progressBarOnTerminal()
{
    Module module;
    PtyPair terminal; // stands in for the user's terminal on standard error
    const CliRun run = runCli({"download", write("f.k83", fixtures::filledForm()), "--port", module.port()}, 60000,
                              terminal.slavePath());
    QCOMPARE(run.code, 0);
    QByteArray shown;
    ::fcntl(terminal.masterFd(), F_SETFL, ::fcntl(terminal.masterFd(), F_GETFL) | O_NONBLOCK);
    char buffer[4096];
    for (ssize_t n; (n = ::read(terminal.masterFd(), buffer, sizeof buffer)) > 0;)
        shown.append(buffer, n);
    QVERIFY2(shown.startsWith("\r[") && shown.contains("%") && shown.contains(module.port().toUtf8()), shown.constData());
    QVERIFY(shown.endsWith("\r\033[K")); // the bar's line is cleared for the report
}

void tst_cli_device::downloadRefusedSendsNothing()
{
    Module module;
    FormContent form = fixtures::filledForm();
    form.setText("m_nev", "Kapué");
    const CliRun run = runCli({"download", write("accent.k83", form), "--port", module.port()});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.oneLineError() && run.err.contains("refused, nothing sent: m_nev: download check"), qPrintable(run.err));
    QTest::qWait(100);
    QCOMPARE(module.sim.received(), QByteArray());
}

void tst_cli_device::badPorts_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("download") << "download";
    QTest::newRow("readout") << "readout";
    QTest::newRow("verify") << "verify";
}

void tst_cli_device::badPorts()
{
    QFETCH(QString, command);
    const QString file = write("f.k83", fixtures::filledForm());
    const QString missing = m_dir->filePath("ttyNONE");
    const auto args = [&](const QString &port) {
        QStringList list{command};
        if (command != "readout")
            list << file;
        list << "--port" << port;
        if (command == "readout")
            list << "-o" << m_dir->filePath("out.k83");
        return list;
    };
    const CliRun none = runCli(args(missing));
    QCOMPARE(none.code, 3);
    const QString where = command == "download" ? none.out : none.err;
    QVERIFY2(where.contains(missing + ": ") && where.contains(missing + " cannot be opened: missing (adapter unplugged)"),
             qPrintable(where));

    // A port that another program holds.
    Module module;
    SerialPort holder;
    QVERIFY(holder.open(module.port()));
    const CliRun busy = runCli(args(module.port()));
    QCOMPARE(busy.code, 3);
    const QString held = QStringLiteral("%1 cannot be opened: in use by tst_cli_device (PID %2)")
                             .arg(module.port()).arg(QCoreApplication::applicationPid());
    QVERIFY((command == "download" ? busy.out : busy.err).contains(held));
    QVERIFY(!QFile::exists(m_dir->filePath("out.k83")));
}

void tst_cli_device::readoutWritesFile()
{
    Module module;
    module.sim.setConfiguration(fixtures::richForm());
    const QString out = m_dir->filePath("read.k83");
    const CliRun run = runCli({"readout", "--port", module.port(), "-o", out});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.startsWith(module.port() + ": read "), qPrintable(run.out));
    QCOMPARE(readAll(out), configfile::encode(fieldrules::readBack(fixtures::richForm())));
    QCOMPARE(module.sim.received(), QByteArray("~{"));
    QVERIFY(module.portFree());
}

void tst_cli_device::readoutFailuresWriteNothing_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("error");
    QTest::newRow("silence") << int(Fault::Silence) << "no answer; nothing written";
    QTest::newRow("a field short") << int(Fault::FieldTooFew) << "the answer cannot be read (91 fields, expected 92); nothing written";
    QTest::newRow("garbage") << int(Fault::Garbage) << "the answer cannot be read (no field separator in 199 characters); nothing written";
}

void tst_cli_device::readoutFailuresWriteNothing()
{
    QFETCH(int, fault);
    QFETCH(QString, error);
    Module module{Fault(fault)};
    module.sim.setConfiguration(fixtures::richForm());
    const QString out = write("old.k83", fixtures::filledForm());
    const QByteArray before = readAll(out);
    const QString trace = m_dir->filePath("t.txt");
    const CliRun run = runCli({"readout", "--port", module.port(), "-o", out, "--trace", trace});
    QCOMPARE(run.code, 4);
    QVERIFY2(run.oneLineError() && run.err.contains(module.port() + ": " + error), qPrintable(run.err));
    QCOMPARE(readAll(out), before);
    QVERIFY(readAll(trace).contains("> 7E 7B"));
}

void tst_cli_device::readoutRefusesUnloadableFile()
{
    // A field "---" would end the saved file early, so it could never be loaded again.
    Module module;
    FormContent stored = fixtures::richForm();
    stored.setText("be1_nev", "---");
    module.sim.setConfiguration(stored);
    const QString out = m_dir->filePath("never.k83");
    const CliRun run = runCli({"readout", "--port", module.port(), "-o", out});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.oneLineError() && run.err.contains("field be1_nev holds \"---\""), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void tst_cli_device::verifyMatch()
{
    Module module;
    module.sim.setConfiguration(fixtures::richForm());
    const CliRun run = runCli({"verify", write("full.k83", fixtures::richForm()), "--port", module.port()});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, module.port() + ": match\n");
}

void tst_cli_device::verifyNamesDifferences()
{
    Module module;
    FormContent stored = fixtures::richForm();
    stored.setText("m_nev", "Kapu2");
    bool &alarm = fixtures::boxWithKey(stored, "5.1"); // slot 3, input 1
    alarm = !alarm;
    module.sim.setConfiguration(stored);
    const CliRun run = runCli({"verify", write("full.k83", fixtures::richForm()), "--port", module.port()});
    QCOMPARE(run.code, 1);
    const auto onOff = [](bool on) { return QString(on ? "on" : "off"); };
    QCOMPARE(run.out, module.port() + ": mismatch: 2 difference(s)\n"
                 + "m_nev: file \"Kapu\", module \"Kapu2\"\n"
                 + QString("t3 (slot 3) input 1 alarm: file %1, module %2\n")
                       .arg(onOff(!alarm), onOff(alarm)));
}

void tst_cli_device::verifyNoAnswer()
{
    Module module(Fault::Silence);
    const CliRun run = runCli({"verify", write("f.k83", fixtures::filledForm()), "--port", module.port()});
    QCOMPARE(run.code, 4);
    QCOMPARE(run.out, module.port() + ": mismatch: no answer\n");
    QVERIFY(module.portFree());
}

QTEST_GUILESS_MAIN(tst_cli_device)
#include "tst_cli_device.moc"
