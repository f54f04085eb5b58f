// The file commands of the real rzm417-cli binary on real files: diff, check,
// phones export and import, usage and the one-line errors.
#include "core/files/phonecsv.h"
#include "clirun.h"
#include "core/fieldrules.h"
#include "core/files/configfile.h"
#include "core/formcontent.h"
#include "core/phoneslot.h"

#include "diskfiles.h"
#include "sampleforms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using fixtures::readAll;
using fixtures::writeAll;

class tst_cli_files : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void usage_data();
    void usage();
    void diffSameAndDifferent();
    void badFiles_data();
    void badFiles();
    void checkListsEveryField();
    void checkCleanFile();
    void phonesExport();
    void phonesImportWrites();
    void phonesImportRefusesWholeCsv_data();
    void phonesImportRefusesWholeCsv();
    void unwritableOutput();

private:
    QString write(const QString &name, const FormContent &form);
    std::unique_ptr<QTemporaryDir> m_dir;
};

QString tst_cli_files::write(const QString &name, const FormContent &form)
{
    const QString path = m_dir->filePath(name);
    QString error;
    if (!configfile::save(path, form, &error))
        qFatal("cannot write test file: %s", qPrintable(error));
    return path;
}

void tst_cli_files::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_cli_files::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expect"); // in stdout for help, stderr otherwise
    QTest::newRow("no command") << QStringList{} << 2 << "Usage: rzm417-cli [--debug] <command>";
    QTest::newRow("overview") << QStringList{"--help"} << 0 << "Exit codes:";
    QTest::newRow("unknown") << QStringList{"frobnicate"} << 2 << "unknown command \"frobnicate\"";
    QTest::newRow("diff help") << QStringList{"diff", "--help"} << 0 << "Usage: rzm417-cli diff A B";
    QTest::newRow("download help") << QStringList{"download", "--help"} << 0 << "--trace";
    QTest::newRow("phones help") << QStringList{"phones", "--help"} << 0 << "input1_alarm";
    QTest::newRow("phones import help") << QStringList{"phones", "import", "--help"} << 0 << "nothing is written";
    QTest::newRow("diff one file") << QStringList{"diff", "a"} << 2 << "usage: rzm417-cli diff A B";
    QTest::newRow("unknown option") << QStringList{"check", "--frob", "a"} << 2 << "Unknown option 'frob'";
    QTest::newRow("bad checksum") << QStringList{"check", "--checksum", "12", "a"} << 2 << "--checksum: \"12\"";
    QTest::newRow("bad character") << QStringList{"check", "--separator", "ab", "a"} << 2 << "--separator: \"ab\"";
    QTest::newRow("download without port") << QStringList{"download", "a"} << 2 << "--port is required";
    QTest::newRow("empty port") << QStringList{"download", "a", "-p", ""} << 2 << "--port needs a port name";
    QTest::newRow("same port twice") << QStringList{"download", "a", "-p", "COM3", "-p", "COM3"} << 2 << "named twice";
    QTest::newRow("readout without output") << QStringList{"readout", "-p", "COM3"} << 2 << "-o FILE is required";
    QTest::newRow("verify two ports") << QStringList{"verify", "a", "-p", "COM3", "-p", "COM4"} << 2 << "exactly one --port";
}

void tst_cli_files::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, expect);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.code, code);
    if (code == 0) {
        QVERIFY2(run.out.contains(expect), qPrintable(run.out));
        QVERIFY(run.err.isEmpty());
    } else {
        QVERIFY2(run.err.contains(expect), qPrintable(run.err));
        if (!arguments.isEmpty())
            QVERIFY2(run.oneLineError(), qPrintable(run.err));
    }
}

void tst_cli_files::diffSameAndDifferent()
{
    FormContent a = fixtures::filledForm();
    a.setText("t5", "36301234567");
    FormContent b = a;
    b.setText("m_nev", "Garázs");
    b.setText("t5", "");
    phoneslot::Rights r;
    r.on[phoneslot::Output1Control] = true;
    phoneslot::setRights(b, 64, r);
    const QString pa = write("a.k83", a);
    const QString pb = write("b.k83", b);

    const CliRun same = runCli({"diff", pa, write("a2.k83", a)});
    QCOMPARE(same.code, 0);
    QCOMPARE(same.out, QString());
    // A read-out of a.k83's module (rele_time "0005", no trailing blanks) holds the same values.
    const QString readOut = write("readout.k83", fieldrules::readBack(a));
    a.setText("m_nev", "Kapu  ");
    const CliRun sameHeld = runCli({"diff", write("blanks.k83", a), readOut});
    QCOMPARE(sameHeld.out, QString());
    QCOMPARE(sameHeld.code, 0);

    const CliRun differ = runCli({"diff", pa, pb});
    QCOMPARE(differ.code, 1);
    QCOMPARE(differ.out, QString::fromUtf8("m_nev: A \"Kapu\", B \"Garázs\"\n"
                                           "t5 (slot 5): A \"36301234567\", B \"\"\n"
                                           "t16_4 (slot 64) output 1 control: A off, B on\n"));
    QVERIFY(differ.err.isEmpty());
}

void tst_cli_files::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("message");
    const QByteArray good = configfile::encode(fixtures::filledForm());
    QTest::newRow("missing") << QByteArray() << "no such file";
    QTest::newRow("one line too many") << QByteArray(good + "\r\n") << "not a configuration file (more than 348 lines";
    QTest::newRow("cut short") << good.left(good.size() / 2) << "not a configuration file (";
    QTest::newRow("end marker") << QByteArray("---\r\n" + good) << "not a configuration file (1 lines";
}

void tst_cli_files::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = m_dir->filePath("bad.k83");
    if (!bytes.isEmpty())
        QVERIFY(writeAll(path, bytes));
    const QString good = write("good.k83", fixtures::filledForm());
    const QList<QStringList> commands = {
        {"diff", good, path}, {"check", path}, {"phones", "export", path},
        {"download", path, "--port", m_dir->filePath("no-such-port")},
        {"verify", path, "--port", m_dir->filePath("no-such-port")},
    };
    for (const auto &arguments : commands) {
        const CliRun run = runCli(arguments);
        QCOMPARE(run.code, 5);
        QVERIFY2(run.oneLineError() && run.err.contains(QDir::toNativeSeparators(path) + ": " + message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
}

void tst_cli_files::checkListsEveryField()
{
    FormContent form = fixtures::filledForm();
    form.setText("m_pin", "12a4");       // input: digits; download passes it
    form.setText("m_nev", "Kapué");      // input: 7-bit; download: character
    form.setText("be2_off_msg", "");     // download: mandatory
    form.setText("ki3_on", "a|b");       // download: separator in a field
    form.setText("t7", "+3630");         // input and download: telephone
    form.setText("t9", "+3630");
    form.setText("r20", QString(20, 'x')); // cut on loading
    const QString path = write("many.k83", form);
    const CliRun run = runCli({"check", path});
    QCOMPARE(run.code, 1);
    const QStringList expected = {
        "r20: cut on loading: 20 characters; the window keeps the first 16: \"xxxxxxxxxxxxxxxx\"",
        "m_pin: input check: Only numbers.",
        "m_nev: input check: Only numbers and characters. (7-bit ascii)",
        "t7: input check: Telephone number: only numbers.",
        "t9: input check: Telephone number: only numbers.",
        "be2_off_msg: download check: mandatory field is empty",
        "m_nev: download check: holds a character the module cannot take (accented or not 7-bit)",
        "ki3_on: download check: holds the separator \"|\" or a carriage return",
        "t7: download check: telephone number holds characters other than digits and blanks",
        "t9: download check: telephone number holds characters other than digits and blanks",
        QDir::toNativeSeparators(path) + ": 9 refused",
    };
    QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts), expected);

    // Another separator moves the framing check to the field that holds it.
    const CliRun other = runCli({"check", "--separator", "#", path});
    QVERIFY(!other.out.contains("ki3_on: download"));
}

void tst_cli_files::checkCleanFile()
{
    const QString path = write("clean.k83", fixtures::filledForm());
    const CliRun run = runCli({"check", path});
    QCOMPARE(run.code, 0);
    // Printed as the system writes paths: with backslashes on Windows.
    QCOMPARE(run.out, QDir::toNativeSeparators(path) + ": nothing refused\n");
}

void tst_cli_files::phonesExport()
{
    FormContent form = fixtures::filledForm();
    form.setText("t2", "36301112233");
    const QString path = write("p.k83", form);
    const CliRun run = runCli({"phones", "export", path});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out.toUtf8(), phonecsv::exportCsv(form));
    const QString csv = m_dir->filePath("p.csv");
    QCOMPARE(runCli({"phones", "export", path, "-o", csv}).code, 0);
    QCOMPARE(readAll(csv), phonecsv::exportCsv(form));
}

void tst_cli_files::phonesImportWrites()
{
    const QString path = write("in.k83", fixtures::filledForm());
    const QString csv = m_dir->filePath("in.csv");
    QVERIFY(writeAll(csv, "slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control\n"
                          "3,t3,36301112233,1,0,0,1\n"));
    const QString out = m_dir->filePath("out.k83");
    const CliRun run = runCli({"phones", "import", path, csv, "-o", out});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, "line 2 (slot 3): ok\n");
    QCOMPARE(readAll(path), configfile::encode(fixtures::filledForm())); // -o leaves FILE alone
    FormContent expected = fixtures::filledForm();
    expected.setText("t3", "36301112233");
    phoneslot::Rights r;
    r.on[phoneslot::Input1Alarm] = true;
    r.on[phoneslot::Output2Control] = true;
    phoneslot::setRights(expected, 3, r);
    QCOMPARE(readAll(out), configfile::encode(expected));

    // Without -o the file itself is replaced.
    QCOMPARE(runCli({"phones", "import", path, csv}).code, 0);
    QCOMPARE(readAll(path), configfile::encode(expected));
}

void tst_cli_files::phonesImportRefusesWholeCsv_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("stdoutText");
    QTest::addColumn<QString>("error");
    const QByteArray header = "slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control\n";
    QTest::newRow("one bad row of two") << QByteArray(header + "3,,363,0,0,0,0\n4,,36a,0,0,0,0\n")
        << "line 2 (slot 3): ok\nline 3 (slot 4): bad digits \"36a\"\n" << "1 of 2 rows refused; nothing written";
    QTest::newRow("duplicate") << QByteArray(header + "3,,363,0,0,0,0\n4,,363,0,0,0,0\n")
        << "line 2 (slot 3): duplicate: number 363 is also in slot 4\n"
           "line 3 (slot 4): duplicate: number 363 is also in slot 3\n"
        << "2 of 2 rows refused; nothing written";
    QTest::newRow("no header") << QByteArray("3,,363,0,0,0,0\n") << ""
        << "line 1: expected the header slot,field,number,";
    QTest::newRow("binary junk") << QByteArray("\x01\x02\xff\xfe", 4) << "" << "line 1: expected the header";
}

void tst_cli_files::phonesImportRefusesWholeCsv()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, stdoutText);
    QFETCH(QString, error);
    const QString path = write("keep.k83", fixtures::filledForm());
    const QByteArray before = readAll(path);
    const QString csvPath = m_dir->filePath("bad.csv");
    QVERIFY(writeAll(csvPath, csv));
    const QString out = m_dir->filePath("never.k83");
    for (const QStringList &arguments : {QStringList{"phones", "import", path, csvPath, "-o", out},
                                         QStringList{"phones", "import", path, csvPath}}) {
        const CliRun run = runCli(arguments);
        QCOMPARE(run.code, 1);
        QCOMPARE(run.out, stdoutText);
        QVERIFY2(run.oneLineError() && run.err.contains(QDir::toNativeSeparators(csvPath) + ": " + error), qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
        QCOMPARE(readAll(path), before);
    }
    // Nothing left behind either: no temporary files beside the target.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
}

void tst_cli_files::unwritableOutput()
{
    const QString path = write("src.k83", fixtures::filledForm());
    const QString csv = m_dir->filePath("in.csv");
    QVERIFY(writeAll(csv, "slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control\n"));
    const QString out = m_dir->filePath("no-such-folder/out.k83");
    const CliRun run = runCli({"phones", "import", path, csv, "-o", out});
    QCOMPARE(run.code, 5);
    QVERIFY2(run.oneLineError() && run.err.contains(QDir::toNativeSeparators(out) + ": not written"), qPrintable(run.err));
    const CliRun exported = runCli({"phones", "export", path, "-o", m_dir->filePath("no-such-folder/x.csv")});
    QCOMPARE(exported.code, 5);
    QVERIFY(exported.oneLineError());
}

QTEST_GUILESS_MAIN(tst_cli_files)
#include "tst_cli_files.moc"
