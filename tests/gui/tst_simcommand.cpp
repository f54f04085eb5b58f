// The rzm417-sim command as a user runs it: registered as COM1, the program left at
// its default port, the download started with Ctrl+D, and the configuration kept
// in the simulator's file.
#include "core/serial/portnames.h"
#include "core/transfer/transfertext.h"
#include "gui/app/mainwindow.h"
#include "modaldriver.h"
#include "sampleforms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_SimCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void help();
    void downloadThroughCom1WithCtrlD();
    void leavesAnAdaptersLinkAlone();

private:
    QTemporaryDir m_home;
};

void tst_SimCommand::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The program and the simulator must agree on the port folder: a private one.
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
}

void tst_SimCommand::help()
{
    QProcess sim;
    sim.start(QStringLiteral(RZM_SIM_BINARY), {QStringLiteral("--help")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(sim.readAllStandardOutput());
    for (const char *option : {"--com", "--store", "--unpaced", "--fault", "--ack", "hangup", "too-many"})
        QVERIFY2(out.contains(QLatin1String(option)), option);

    sim.start(QStringLiteral(RZM_SIM_BINARY), {QStringLiteral("--fault"), QStringLiteral("nonsense")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
}

void tst_SimCommand::downloadThroughCom1WithCtrlD()
{
    const QString store = m_home.filePath(QStringLiteral("module.txt"));
    QProcess sim;
    sim.start(QStringLiteral(RZM_SIM_BINARY),
              {QStringLiteral("--com"), QStringLiteral("1"), QStringLiteral("--unpaced"), QStringLiteral("--store"), store});
    QVERIFY(sim.waitForReadyRead(5000));
    const QString banner = QString::fromLocal8Bit(sim.readLine());
    QVERIFY2(banner.contains(QLatin1String("as COM1")), qPrintable(banner));
    const QFileInfo link(portnames::linkPath(1));
    QVERIFY(link.isSymLink());

    MainWindow window; // port COM1, as after start
    const FormContent form = fixtures::filledForm();
    window.applyForm(form);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    ModalDriver modals;
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(modals.seen(), QStringList{QString::fromUtf8("Download|Sikeres betöltés.")});

    QFile file(store);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, transfer::fields(form));

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QVERIFY(!QFileInfo(portnames::linkPath(1)).isSymLink()); // the link went with it
}

void tst_SimCommand::leavesAnAdaptersLinkAlone()
{
    // COM5 names a device that is there, as an adapter's link does: it stays.
    QDir().mkpath(portnames::portFolder());
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), portnames::linkPath(5)));
    QProcess sim;
    sim.start(QStringLiteral(RZM_SIM_BINARY), {QStringLiteral("--com"), QStringLiteral("5"), QStringLiteral("--unpaced")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 1);
    QVERIFY(sim.readAllStandardError().contains("is taken by /dev/null"));
    QCOMPARE(QFileInfo(portnames::linkPath(5)).symLinkTarget(), QStringLiteral("/dev/null"));
}

QTEST_MAIN(tst_SimCommand)
#include "tst_simcommand.moc"
