// The configuration file format: golden bytes, round trips, the reader's rules,
// and saves that fail without touching what is on disk.
#include "core/files/configfile.h"
#include "core/formschema.h"
#include "core/inputrules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "diskfiles.h"
#include "sampleforms.h"

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

using fixtures::readAll;
using fixtures::writeAll;

// 348 lines of a valid file, as text lines without their ends.
QList<QByteArray> validLines()
{
    QList<QByteArray> lines(formschema::TextCount);
    for (int k = 0; k < formschema::BoxCount; ++k)
        lines.append(k == 0 ? "1" : "0");
    return lines;
}

QByteArray joinCrLf(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const auto &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace

class tst_configfile : public QObject
{
    Q_OBJECT

private slots:
    void golden_data();
    void golden();
    void roundTripKeepsEveryText();
    void reader_data();
    void reader();
    void boxLines_data();
    void boxLines();
    void endMarkerText();
    void displayName_data();
    void displayName();
    void loadMissingAndUnreadable();
    void shippedDefaultLoadsAndPassesChecks();
    void saveFailsWithoutTouchingTarget_data();
    void saveFailsWithoutTouchingTarget();
    void saveFailingWriteKeepsOldFile();
};

void tst_configfile::golden_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<FormContent>("form");
    QTest::addColumn<int>("size");
    QTest::newRow("empty form") << "empty.k83" << FormContent() << 952;
    QTest::newRow("sample form") << "sample.k83" << fixtures::sampleFileForm() << 1022;
}

void tst_configfile::golden()
{
    QFETCH(QString, file);
    QFETCH(FormContent, form);
    QFETCH(int, size);
    const QByteArray golden = readAll(QStringLiteral(RZM_GOLDEN_DIR "/") + file);
    QCOMPARE(golden.size(), size);

    QCOMPARE(configfile::encode(form), golden);

    FormContent loaded;
    QVERIFY(configfile::decode(configfile::readLines(golden), loaded));
    QCOMPARE(loaded, form);

    QTemporaryDir dir;
    const QString path = dir.filePath("saved.k83");
    QString error;
    QVERIFY2(configfile::save(path, form, &error), qPrintable(error));
    QCOMPARE(readAll(path), golden);
    FormContent reloaded;
    QCOMPARE(configfile::load(path, reloaded), configfile::LoadStatus::Loaded);
    QCOMPARE(reloaded, form);
}

void tst_configfile::roundTripKeepsEveryText()
{
    // Texts go out unquoted and untrimmed; only "---" cannot survive (refused on save).
    FormContent form = FormContent();
    const QStringList samples = {" lead", "trail ", "a|b", "--", "----", "- --", "#;=\"'", "0",
                                 "1", "\t tab", QString::fromUtf8("árvíztűrő")};
    for (int i = 0; i < form.texts.size(); ++i)
        form.texts[i] = samples[i % samples.size()];
    for (int k = 0; k < form.boxes.size(); ++k)
        form.boxes[k] = (k * 7) % 3 == 1;
    FormContent loaded;
    QVERIFY(configfile::decode(configfile::readLines(configfile::encode(form)), loaded));
    QCOMPARE(loaded, form);
}

void tst_configfile::reader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("lastBoxChecked");

    const QList<QByteArray> valid = validLines();
    QTest::newRow("exact") << joinCrLf(valid) << 348 << true << false;
    QTest::newRow("one empty line too many") << joinCrLf(valid) + "\r\n" << 349 << false << false;
    QByteArray noLastEnd = joinCrLf(valid);
    noLastEnd.chop(2);
    QTest::newRow("last line without CR LF") << noLastEnd << 348 << true << false;
    QList<QByteArray> lastChecked = valid;
    lastChecked.last() = "1";
    QByteArray lastCheckedNoEnd = joinCrLf(lastChecked);
    lastCheckedNoEnd.chop(2);
    QTest::newRow("last box 1 without CR LF") << lastCheckedNoEnd << 348 << true << true;
    QList<QByteArray> markerLast = valid;
    markerLast.last() = "---";
    QTest::newRow("--- as line 348") << joinCrLf(markerLast) + "trailing\r\nlines\r\n" << 348 << true << false;
    QList<QByteArray> markerText = valid;
    markerText[3] = "---";
    QTest::newRow("--- in a text field") << joinCrLf(markerText) << 4 << false << false;
    QTest::newRow("empty file") << QByteArray() << 1 << false << false;
    QTest::newRow("LF line ends") << valid.join('\n') + '\n' << 348 << true << false;
    QTest::newRow("347 lines") << joinCrLf(valid.mid(1)) << 347 << false << false;
    // The reader stops counting once a file is surely refused.
    QTest::newRow("far too long") << joinCrLf(valid + valid) << 349 << false << false;
}

void tst_configfile::reader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lineCount);
    QFETCH(bool, accepted);
    QFETCH(bool, lastBoxChecked);

    const QStringList lines = configfile::readLines(bytes);
    QCOMPARE(lines.size(), lineCount);
    FormContent form = fixtures::sampleFileForm();
    QCOMPARE(configfile::decode(lines, form), accepted);
    if (!accepted) {
        QCOMPARE(form, fixtures::sampleFileForm()); // a refused file leaves the content alone
        return;
    }
    QCOMPARE(form.boxes.first(), true);
    QCOMPARE(form.boxes.last(), lastBoxChecked);
    QCOMPARE(form.texts.first(), QString());
}

void tst_configfile::boxLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("checked");
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("blank 1") << QByteArray(" 1") << false;
    QTest::newRow("1 blank") << QByteArray("1 ") << false;
    QTest::newRow("true") << QByteArray("true") << false;
    QTest::newRow("01") << QByteArray("01") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("2") << QByteArray("2") << false;
}

void tst_configfile::boxLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, checked);
    QList<QByteArray> lines = validLines();
    lines[formschema::TextCount + 17] = line;
    FormContent form;
    QVERIFY(configfile::decode(configfile::readLines(joinCrLf(lines)), form));
    QCOMPARE(form.boxes[17], checked);
    QCOMPARE(form.boxes[0], true);
}

void tst_configfile::endMarkerText()
{
    FormContent form = fixtures::sampleFileForm();
    QCOMPARE(configfile::endMarkerText(form), -1);
    form.setText("t5_2", "---");
    form.setText("t9_3", "---");
    QCOMPARE(configfile::endMarkerText(form), formschema::textIndex("t5_2"));
    form.setText("t5_2", " ---");
    QCOMPARE(configfile::endMarkerText(form), formschema::textIndex("t9_3"));
}

void tst_configfile::displayName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no point") << "cfg" << "cfg.";
    QTest::newRow("two points") << "a.b.k83" << "a.b.k83";
    QTest::newRow("folder") << "/tmp/some.dir/conf.k83" << "conf.k83";
    QTest::newRow("default") << "default17.ui" << "default17.ui";
}

void tst_configfile::displayName()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QCOMPARE(configfile::displayName(path), shown);
}

void tst_configfile::loadMissingAndUnreadable()
{
    QTemporaryDir dir;
    FormContent form = fixtures::sampleFileForm();
    QCOMPARE(configfile::load(dir.filePath("absent.k83"), form), configfile::LoadStatus::Missing);
    // A folder exists but cannot be read as a file: it reads as empty and fails the count.
    QVERIFY(QDir(dir.path()).mkdir("folder.k83"));
    QCOMPARE(configfile::load(dir.filePath("folder.k83"), form), configfile::LoadStatus::BadLineCount);
    QCOMPARE(form, fixtures::sampleFileForm());
}

void tst_configfile::shippedDefaultLoadsAndPassesChecks()
{
    const QString path = QCoreApplication::applicationDirPath() + "/default17.ui";
    FormContent form;
    QCOMPARE(configfile::load(path, form), configfile::LoadStatus::Loaded);
    QCOMPARE(inputrules::firstViolation(form).has_value(), false);
    for (int i = 0; i < formschema::MandatoryCount; ++i)
        QVERIFY2(!form.texts[i].isEmpty(), qPrintable(formschema::textFields()[i].name));
    const auto &fields = formschema::textFields();
    for (int i = 0; i < fields.size(); ++i)
        QVERIFY(form.texts[i].size() <= fields[i].maxLength);
}

void tst_configfile::saveFailsWithoutTouchingTarget_data()
{
    // Failures that hold for root too, which a read-only folder does not.
    QTest::addColumn<QString>("kind");
    QTest::newRow("parent is a regular file") << "parentIsFile";
    QTest::newRow("folder in place of the file") << "targetIsFolder";
    QTest::newRow("parent folder missing") << "parentMissing";
    QTest::newRow("read-only folder") << "readOnlyFolder"; // not for root
}

void tst_configfile::saveFailsWithoutTouchingTarget()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path;
    if (kind == "parentIsFile") {
        QVERIFY(writeAll(dir.filePath("plain"), "x"));
        path = dir.filePath("plain/conf.k83");
    } else if (kind == "targetIsFolder") {
        QVERIFY(QDir(dir.path()).mkpath("conf.k83/inner"));
        path = dir.filePath("conf.k83");
    } else if (kind == "readOnlyFolder") {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("root writes into a read-only folder");
#else
        QSKIP("a folder's read-only attribute does not stop writing into it on Windows");
#endif
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        path = dir.filePath("conf.k83");
    } else {
        path = dir.filePath("nowhere/conf.k83");
    }
    QString error;
    const bool saved = configfile::save(path, fixtures::sampleFileForm(), &error);
    if (kind == "readOnlyFolder")
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    if (kind == "targetIsFolder")
        QVERIFY(QFileInfo(dir.filePath("conf.k83/inner")).isDir());
    // Nothing else was left behind: no temporary file, no half-written file.
    QStringList expected = kind == "parentIsFile" ? QStringList{"plain"}
                           : kind == "targetIsFolder" ? QStringList{"conf.k83"}
                                                      : QStringList{};
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), expected);
}

void tst_configfile::saveFailingWriteKeepsOldFile()
{
    // A file-size limit makes the write itself fail, as a full disk would, even for root.
#ifndef Q_OS_UNIX
    QSKIP("needs a POSIX file-size limit");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.k83");
    const QByteArray old = QByteArray("old contents\r\n").repeated(100);
    QVERIFY(writeAll(path, old));

    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 512;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved_ok = configfile::save(path, fixtures::sampleFileForm(), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved_ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"conf.k83"});
#endif
}

QTEST_GUILESS_MAIN(tst_configfile)
#include "tst_configfile.moc"
