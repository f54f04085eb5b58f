// The command line sends byte for byte what the window sends: the real window loads
// a file and downloads it to the simulated module through a pty, then rzm417-cli
// downloads the same file with the same settings, and the two transcripts compare.
#include "gui/app/mainwindow.h"
#include "modulesimulator.h"
#include "ptypair.h"

#include "core/files/configfile.h"
#include "core/linksettings.h"

#include "../cli/clirun.h"
#include "diskfiles.h"
#include "sampleforms.h"
#include "simlink.h"

#include <QTest>

Q_DECLARE_METATYPE(FormContent)
Q_DECLARE_METATYPE(LinkSettings)

class tst_cli_transcript : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsWindow_data();
    void sameBytesAsWindow();
};

void tst_cli_transcript::sameBytesAsWindow_data()
{
    QTest::addColumn<FormContent>("form");
    QTest::addColumn<LinkSettings>("settings");
    QTest::addColumn<QStringList>("options");

    QTest::newRow("defaults") << fixtures::richForm() << LinkSettings() << QStringList();

    LinkSettings sum;
    sum.checkValue = 1;
    sum.checkSize = {Checksum::Kind::Sum24};
    sum.downloadSeparator = '#';
    sum.ackChar = 'K';
    QTest::newRow("24 sum, separator #, ack K") << fixtures::richForm() << sum
                                                 << QStringList{"--checksum", "24", "--separator", "#", "--ack", "K"};

    LinkSettings fixed;
    fixed.checkValue = 1;
    fixed.checkSize = Checksum::fromByte(quint8('*'));
    QTest::newRow("fixed check character") << fixtures::filledForm() << fixed << QStringList{"--check-char", "*"};

    // Texts longer than their fields: the window cuts them on loading, so must the tool.
    FormContent longer = fixtures::filledForm();
    longer.setText("m_nev", "A name of twenty-two!!");
    longer.setText("m_pin", "123456");
    longer.setText("r20", QString(30, 'r'));
    longer.setText("t9", "3630123456789012");
    QTest::newRow("over-long texts") << longer << LinkSettings() << QStringList();
}

void tst_cli_transcript::sameBytesAsWindow()
{
    QFETCH(FormContent, form);
    QFETCH(LinkSettings, settings);
    QFETCH(QStringList, options);

    fixtures::ScopedWorkDir work;
    QVERIFY(fixtures::writeAll(work.filePath("default17.ui"), configfile::encode(form)));

    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    sim.start(pty.masterFd());

    QByteArray windowBytes;
    {
        MainWindow window;
        settings.port = pty.slavePath();
        ModalDriver modals;
        window.newfile(); // loads default17.ui from the working folder, as a user would
        window.setLinkSettings(settings);
        window.download();
        QCOMPARE(modals.seen(), QStringList({"File opened.|default17.ui successfully loaded.",
                                             QString::fromUtf8("Download|Sikeres betöltés.")}));
        QVERIFY(sim.waitForExchanges(1, 5000));
        windowBytes = sim.received();
    }
    QVERIFY(windowBytes.size() > 1500);
    sim.clearTranscript();

    const CliRun run = runCli(QStringList{"download", work.filePath("default17.ui"), "--port", pty.slavePath()} + options);
    QCOMPARE(run.code, 0);
    QVERIFY(sim.waitForExchanges(2, 5000));
    QCOMPARE(sim.received(), windowBytes);
    sim.stop();
}

QTEST_MAIN(tst_cli_transcript)
#include "tst_cli_transcript.moc"
