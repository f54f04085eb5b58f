// The backup of a safe write: where it goes, what it is named, and that a module's
// answer only counts as backed up once its file reads back as written.
#include "core/fieldrules.h"
#include "core/files/configfile.h"
#include "core/linksettings.h"
#include "core/safewrite/backupfile.h"
#include "core/transfer/transfertext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "sampleforms.h"

class tst_BackupFile : public QObject
{
    Q_OBJECT

private slots:
    void folderAndNames();
    void backupFromAnswer();
};

void tst_BackupFile::folderAndNames()
{
    QTemporaryDir home;
#ifdef Q_OS_WIN
    // The per-user data folder Windows gives, not the roaming profile's.
    QVERIFY2(safewrite::backupFolder().endsWith(QStringLiteral("/AppData/Local/rzm417/backups")),
             qPrintable(safewrite::backupFolder()));
#else
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCOMPARE(safewrite::backupFolder(), home.path() + QStringLiteral("/rzm417/backups"));
#endif

    // A port path and a padded identifier become one safe name; a taken name is never reused.
    const QDateTime time = QDateTime::currentDateTimeUtc();
    const QString first = safewrite::backupPath(home.path(), time, QStringLiteral("/dev/pts/3"), QStringLiteral(" 0 7 "));
    QVERIFY2(first.endsWith(QStringLiteral("-dev_pts_3-0_7.k83")), qPrintable(first));
    QVERIFY(QFile(first).open(QIODevice::WriteOnly));
    QCOMPARE(safewrite::backupPath(home.path(), time, QStringLiteral("/dev/pts/3"), QStringLiteral(" 0 7 ")),
             first.chopped(4) + QStringLiteral("-2.k83"));
}

void tst_BackupFile::backupFromAnswer()
{
    QTemporaryDir dir;
    const FormContent form = fieldrules::readBack(fixtures::richForm());
    const QByteArray answer = transfer::buildVerifyText(form, LinkSettings{}).text.toLatin1();

    // The folder is made on the first backup, and the file loads as the module's form.
    const QString folder = dir.filePath(QStringLiteral("new/backups"));
    const safewrite::Backup backup = safewrite::takeBackup(answer, folder, QStringLiteral("COM3"), QDateTime::currentDateTimeUtc());
    QVERIFY2(backup.ok(), qPrintable(backup.error));
    QCOMPARE(backup.config.form, form);
    FormContent loaded;
    QCOMPARE(configfile::load(backup.path, loaded), configfile::LoadStatus::Loaded);
    QCOMPARE(loaded, form);

    // A folder that cannot be made: no backup, and the reason.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const safewrite::Backup blocked = safewrite::takeBackup(answer, blocker.fileName() + QStringLiteral("/backups"),
                                                            QStringLiteral("COM3"), QDateTime::currentDateTimeUtc());
    QVERIFY(!blocked.ok());
    QCOMPARE(blocked.saved, safewrite::SaveStatus::NotWritten);
    QVERIFY(!blocked.error.isEmpty());

    // Silence and a field "---" are refused before any file is named.
    QCOMPARE(safewrite::configFromAnswer({}).status, safewrite::AnswerConfig::Status::NoAnswer);
    FormContent marked = form;
    marked.texts[3] = QStringLiteral("---");
    const safewrite::Backup refused = safewrite::takeBackup(transfer::buildVerifyText(marked, LinkSettings{}).text.toLatin1(),
                                                            folder, QStringLiteral("COM3"), QDateTime::currentDateTimeUtc());
    QCOMPARE(refused.config.status, safewrite::AnswerConfig::Status::EndMarker);
    QCOMPARE(refused.config.markerField, 3);
    QVERIFY(refused.path.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(tst_BackupFile)
#include "tst_backupfile.moc"
