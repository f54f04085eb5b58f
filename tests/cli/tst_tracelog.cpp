// The exchange log of --trace and the progress bar's drawing.
#include "cli/progress.h"
#include "cli/tracelog.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "diskfiles.h"

class tst_tracelog : public QObject
{
    Q_OBJECT

private slots:
    void runsBreakAtTurnsLinesAndWidth();
    void writtenTogether();
    void bar_data();
    void bar();
    void quietWhenNoTerminal();
};

void tst_tracelog::runsBreakAtTurnsLinesAndWidth()
{
    QElapsedTimer clock;
    clock.start();
    cli::TraceLog log("COM3", clock);
    for (char c : QByteArray("~}"))
        log.byte(cli::TraceLog::Sent, quint8(c));
    for (char c : QByteArray("RD"))
        log.byte(cli::TraceLog::Received, quint8(c));
    for (char c : QByteArray("ab\rcd\r"))
        log.byte(cli::TraceLog::Sent, quint8(c));
    for (int i = 0; i < 25; ++i)
        log.byte(cli::TraceLog::Sent, 'x');
    log.note("done");
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 7);
    QVERIFY(lines[0].endsWith("COM3 > 7E 7D" + QString(60 - 5, ' ') + "|~}|"));
    QVERIFY(lines[1].contains("COM3 < 52 44 ") && lines[1].endsWith("|RD|"));
    QVERIFY(lines[2].endsWith("|ab.|"));
    QVERIFY(lines[3].endsWith("|cd.|"));
    QVERIFY(lines[4].endsWith('|' + QString(20, 'x') + '|'));
    QVERIFY(lines[5].endsWith("|xxxxx|"));
    QVERIFY(lines[6].endsWith("COM3 # done"));
    // The time column leads every line, in seconds with milliseconds.
    QVERIFY(QRegularExpression("^ +\\d+\\.\\d{3} COM3 ").match(lines[0]).hasMatch());
}

void tst_tracelog::writtenTogether()
{
    QElapsedTimer clock;
    clock.start();
    cli::TraceLog a("COM3", clock);
    cli::TraceLog b("COM4", clock);
    a.byte(cli::TraceLog::Sent, '~');
    b.byte(cli::TraceLog::Received, 'R');
    QTemporaryDir dir;
    QString error;
    QVERIFY(cli::writeTrace(dir.filePath("t.txt"), {&a, &b}, &error));
    const QStringList lines = QString::fromUtf8(fixtures::readAll(dir.filePath("t.txt"))).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith("# rzm417-cli trace"));
    QVERIFY(lines[1].contains("COM3 > 7E"));
    QVERIFY(lines[2].contains("COM4 < 52"));
    QVERIFY(!cli::writeTrace(dir.filePath("missing/t.txt"), {&a}, &error));
    QVERIFY(!error.isEmpty());
}

void tst_tracelog::bar_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("empty") << 0.0 << "[..........]   0%";
    QTest::newRow("a third") << 1.0 / 3 << "[###.......]  33%";
    QTest::newRow("full") << 1.0 << "[##########] 100%";
    QTest::newRow("past the end") << 1.7 << "[##########] 100%";
    QTest::newRow("negative") << -1.0 << "[..........]   0%";
}

void tst_tracelog::bar()
{
    QFETCH(double, fraction);
    QFETCH(QString, drawn);
    QCOMPARE(cli::Progress::bar(fraction, 10), drawn);
}

void tst_tracelog::quietWhenNoTerminal()
{
    QString text;
    QTextStream err(&text);
    {
        cli::Progress quiet(err, false, {"COM3"});
        quiet.setMaximum(0, 100);
        quiet.setValue(0, 50);
        quiet.finish();
    }
    QCOMPARE(text, QString());
    cli::Progress shown(err, true, {"COM3", "COM4"});
    shown.setMaximum(0, 100);
    shown.setMaximum(1, 100);
    shown.finish();
    QVERIFY(text.startsWith("\r[") && text.contains("2 ports"));
}

QTEST_GUILESS_MAIN(tst_tracelog)
#include "tst_tracelog.moc"
