// Where the shipped files are read from: the working directory first, exactly as
// before, then the folders after it in their order; the bare name when none has one.
#include "core/datafiles.h"

#include "diskfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_datafiles : public QObject
{
    Q_OBJECT

private slots:
    void lookupOrder_data();
    void lookupOrder();
    void besideTheProgram();
};

void tst_datafiles::lookupOrder_data()
{
    // Which of the working directory (w), the program's folder (p) and the data
    // folder (d) hold the file, and which one is read.
    QTest::addColumn<QString>("holders");
    QTest::addColumn<QString>("read");
    QTest::newRow("everywhere: the working directory's") << "wpd" << "w";
    QTest::newRow("working directory only") << "w" << "w";
    QTest::newRow("program folder before data folder") << "pd" << "p";
    QTest::newRow("data folder only") << "d" << "d";
    QTest::newRow("nowhere: the bare name") << "" << "";
}

void tst_datafiles::lookupOrder()
{
    QFETCH(QString, holders);
    QFETCH(QString, read);
    const fixtures::ScopedWorkDir work;
    QTemporaryDir program;
    QTemporaryDir data;
    const QString name = QStringLiteral("rzm_17.hlp");
    const QMap<QChar, QString> folders{{'w', work.path()}, {'p', program.path()}, {'d', data.path()}};
    for (const QChar holder : holders)
        QVERIFY(fixtures::writeAll(QDir(folders[holder]).filePath(name), holder.toLatin1() + QByteArray("\n")));
    // A folder holding something else, or nothing at all, is passed over.
    QVERIFY(fixtures::writeAll(program.filePath("default17.ui"), "x"));

    const QString path = datafiles::locate(name, {program.path(), QStringLiteral("/nonexistent/folder"), data.path()});
    if (read == u"w" || read.isEmpty()) {
        // The bare name, as the program always used it: relative to the working directory.
        QCOMPARE(path, name);
    } else {
        QCOMPARE(path, QDir(folders[read.at(0)]).filePath(name));
        QVERIFY(QDir::isAbsolutePath(path));
    }
    QCOMPARE(fixtures::readAll(path), read.isEmpty() ? QByteArray() : read.toLatin1() + "\n");
}

void tst_datafiles::besideTheProgram()
{
    // The build puts the help text and the default configuration beside the
    // programs, this test among them: found from any working directory.
    const fixtures::ScopedWorkDir work;
    const QDir programs(QCoreApplication::applicationDirPath());
    for (const QString &name : {QStringLiteral("rzm_17.hlp"), QStringLiteral("default17.ui")})
        QCOMPARE(datafiles::locate(name), programs.filePath(name));
    QCOMPARE(datafiles::locate(QStringLiteral("no-such-file.txt")), QStringLiteral("no-such-file.txt"));
}

QTEST_GUILESS_MAIN(tst_datafiles)
#include "tst_datafiles.moc"
