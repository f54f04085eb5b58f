// The safe write of the real rzm417-cli binary against simulated modules on real
// pseudo-terminals: the backup before the write, the read-back after it, the
// batch from a template, and the log a batch leaves, also when it is cut short.
#include "climodule.h"
#include "clirun.h"
#include "core/fieldrules.h"
#include "core/files/configfile.h"
#include "core/transfer/transfertext.h"

#include "diskfiles.h"
#include "sampleforms.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using fixtures::readAll;
using fixtures::writeAll;
using Fault = SimBehaviour::Fault;

class tst_cli_safewrite : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void backupWriteVerify();
    void failedBackupStopsThatModuleOnly();
    void batchFromTemplate();
    void badCellsRefuseTheBatch();
    void logOfAnInterruptedBatch();

private:
    QString write(const QString &name, const FormContent &form) { return fixtures::writeForm(*m_dir, name, form); }
    QString writeText(const QString &name, const QString &text)
    {
        const QString path = m_dir->filePath(name);
        writeAll(path, text.toUtf8());
        return path;
    }
    QStringList backups() const { return QDir(m_dir->filePath("bk")).entryList(QDir::Files); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

FormContent withName(FormContent form, const QString &name)
{
    form.setText("m_nev", name);
    return form;
}

QByteArray downloadBytes(const FormContent &form)
{
    return "~}" + transfer::lineBytes(transfer::buildTransferText(form, LinkSettings()).text, '|');
}

QStringList logRows(const QString &path)
{
    return QString::fromUtf8(readAll(path)).split('\n', Qt::SkipEmptyParts);
}

} // namespace

void tst_cli_safewrite::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_cli_safewrite::backupWriteVerify()
{
    Module module;
    module.sim.setConfiguration(withName(fixtures::richForm(), "Elozo"));
    const FormContent form = fixtures::richForm();
    const QString log = m_dir->filePath("log.csv");
    const CliRun run = runCli({"download", write("new.k83", form), "--port", module.port(), "--backup",
                               m_dir->filePath("bk"), "--verify", "--log", log});
    QCOMPARE(run.code, 0);
    QCOMPARE(backups().size(), 1);
    const QString backup = m_dir->filePath("bk/" + backups().first());
    QVERIFY2(QRegularExpression("/\\d{8}-\\d{6}-" + QDir(module.port()).dirName().prepend("dev_pts_") + "-0042\\.k83$")
                 .match(backup).hasMatch(), qPrintable(backup));
    // The backup is what the module held before, as a readout would have saved it.
    QCOMPARE(readAll(backup), configfile::encode(withName(fieldrules::readBack(fixtures::richForm()), "Elozo")));
    QCOMPARE(module.sim.fields(), transfer::fields(form));
    const QString p = module.port() + ": ";
    QVERIFY2(run.out.startsWith(p + "backup " + backup + "\n" + p + "ok, acknowledged ("), qPrintable(run.out));
    QVERIFY2(run.out.endsWith(p + "verify: match\n"), qPrintable(run.out));
    // The write itself is what a plain download sends; a read request comes before and after.
    QCOMPARE(module.sim.received(), "~{" + downloadBytes(form) + "~{");
    QVERIFY(module.portFree());

    // The log: a header, then the module's row.
    const QStringList rows = logRows(log);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0], QString("time,port,module_id,module_name,write,verify,backup,seconds"));
    const QStringList cells = rows[1].split(QRegularExpression(",(?=(?:[^\"]*\"[^\"]*\")*[^\"]*$)"));
    QCOMPARE(cells.size(), 8);
    QVERIFY(QDateTime::fromString(cells[0], Qt::ISODate).isValid());
    QCOMPARE(cells.mid(1, 3), QStringList({module.port(), "0042", "Kapu  "}));
    QVERIFY2(cells[4].startsWith("\"ok, acknowledged ("), qPrintable(cells[4]));
    QCOMPARE(cells.mid(5, 2), QStringList({"match", backup}));
    QVERIFY(cells[7].toDouble() > 1.0); // two read-outs, each ended by 1.5 s of silence
}

void tst_cli_safewrite::failedBackupStopsThatModuleOnly()
{
    // The second module cannot be read (one field missing) but would take a write.
    Module good;
    Module unreadable(Fault::FieldTooFew);
    const QString missing = m_dir->filePath("ttyNONE");
    const FormContent before = withName(fixtures::richForm(), "Elozo");
    unreadable.sim.setConfiguration(before);
    const QString file = write("new.k83", fixtures::richForm());
    const QStringList args{"download", file, "-p", good.port(), "-p", unreadable.port(), "-p", missing,
                           "--backup", m_dir->filePath("bk"), "--log", m_dir->filePath("log.csv")};
    const CliRun run = runCli(args);
    QCOMPARE(run.code, 4);
    QVERIFY2(run.out.contains(good.port() + ": ok, acknowledged"), qPrintable(run.out));
    QVERIFY2(run.out.contains(unreadable.port() + ": not written: no backup: the answer cannot be read "
                              "(91 fields, expected 92) (--force writes without one)"), qPrintable(run.out));
    QVERIFY2(run.out.contains(missing + ": not written: no backup: " + missing + " cannot be opened: missing (adapter unplugged)"),
             qPrintable(run.out));
    QCOMPARE(good.sim.fields(), transfer::fields(fixtures::richForm()));
    QCOMPARE(unreadable.sim.fields(), transfer::fields(before)); // untouched
    QCOMPARE(unreadable.sim.received(), QByteArray("~{"));       // the read request only
    QCOMPARE(backups().size(), 1);
    QCOMPARE(logRows(m_dir->filePath("log.csv")).filter("not written: no backup").size(), 2);

    // --force writes it all the same, and says so.
    const CliRun forced = runCli(QStringList(args) << "--force");
    QCOMPARE(forced.code, 3); // the missing port
    QVERIFY2(forced.out.contains(unreadable.port() + ": no backup: the answer cannot be read (91 fields, expected 92); "
                                 "written without one (--force)\n" + unreadable.port() + ": ok, acknowledged"),
             qPrintable(forced.out));
    QCOMPARE(unreadable.sim.fields(), transfer::fields(fixtures::richForm()));
    QVERIFY(good.portFree() && unreadable.portFree());
}

void tst_cli_safewrite::batchFromTemplate()
{
    Module a, b, c;
    const QString csv = writeText("modules.csv", QString("port,m_id,m_nev\n%1,0101,Kapu\n%2,0102,\"Garazs, hatso\"\n"
                                                         "%3,0103,Pince\n").arg(a.port(), b.port(), c.port()));
    const CliRun run = runCli({"download", write("template.k83", fixtures::richForm()), "--modules", csv, "--verify"});
    QCOMPARE(run.code, 0);
    const QList<std::pair<Module *, QStringList>> expected{
        {&a, {"0101", "Kapu"}}, {&b, {"0102", "Garazs, hatso"}}, {&c, {"0103", "Pince"}}};
    for (const auto &[module, values] : expected) {
        FormContent form = fixtures::richForm();
        form.setText("m_id", values[0]);
        form.setText("m_nev", values[1]);
        QCOMPARE(module->sim.fields(), transfer::fields(form));
        QVERIFY2(run.out.contains(module->port() + ": verify: match"), qPrintable(run.out));
    }
}

void tst_cli_safewrite::badCellsRefuseTheBatch()
{
    Module a, b;
    const QString log = m_dir->filePath("log.csv");
    const QString csv = writeText("modules.csv", QString("port;m_id;m_pin;m_nev\n"
                                                         "%1;12a4;1234;Kapu\n"
                                                         "%2;0002;;Kapu\n"
                                                         "%2;0003;1234;Nagyon hosszu nev ide\n"
                                                         ";0004;1234;Kapué\n").arg(a.port(), b.port()));
    const QString file = write("template.k83", fixtures::richForm());
    const CliRun run = runCli({"download", file, "--modules", csv, "--backup", m_dir->filePath("bk"), "--log", log});
    QCOMPARE(run.code, 1);
    QCOMPARE(run.out, QString("line 2 (%1): m_id \"12a4\": input check: Only numbers.\n"
                              "line 3 (%2): m_pin \"\": download check: mandatory field is empty\n"
                              "line 4 (%2): port %2 is also on line 3; m_nev \"Nagyon hosszu nev ide\": too long (21 > 16)\n"
                              "line 5: port: empty; m_nev \"Kapué\": input check: Only numbers and characters. (7-bit ascii); "
                              "m_nev \"Kapué\": download check: holds a character the module cannot take (accented or not 7-bit)\n")
                          .arg(a.port(), b.port()));
    QVERIFY2(run.oneLineError() && run.err.contains("4 of 4 rows refused; no port opened"), qPrintable(run.err));

    // A header that names no field refuses the CSV as a whole.
    const QString header = writeText("header.csv", QString("port,m_id,t17,tc1_1\n%1,0001,36301234567,1\n").arg(a.port()));
    const CliRun bad = runCli({"download", file, "--modules", header});
    QCOMPARE(bad.code, 1);
    QVERIFY2(bad.oneLineError() && bad.err.contains("line 1: unknown field \"t17\" (slot 17 is t1_2); \"tc1_1\" is a check "
                                                    "box; the rights come from the template; no port opened"),
             qPrintable(bad.err));

    QTest::qWait(100);
    QCOMPARE(a.sim.received() + b.sim.received(), QByteArray());
    QVERIFY(!QFile::exists(log) && backups().isEmpty());
}

void tst_cli_safewrite::logOfAnInterruptedBatch()
{
    // The second module never answers "R", so the batch is still running when it is cut short.
    Module done;
    Module waiting(Fault::NoReady);
    const QString log = m_dir->filePath("log.csv");
    const QString csv = writeText("m.csv", QString("port,m_id\n%1,0001\n%2,0002\n").arg(done.port(), waiting.port()));
    QProcess cli;
    cli.start(RZM_CLI_PATH, {"download", write("t.k83", fixtures::richForm()), "--modules", csv, "--verify", "--log", log});
    QTRY_COMPARE_WITH_TIMEOUT(logRows(log).size(), 2, 8000);
    cli.kill();
    QVERIFY(cli.waitForFinished(5000));
    const QStringList rows = logRows(log);
    QCOMPARE(rows.size(), 2); // the header and the module that was done, nothing else
    QVERIFY2(rows[1].contains(done.port() + ",0001,Kapu  ,\"ok, acknowledged (") && rows[1].contains(",match,,"),
             qPrintable(rows[1]));
}

QTEST_GUILESS_MAIN(tst_cli_safewrite)
#include "tst_cli_safewrite.moc"
