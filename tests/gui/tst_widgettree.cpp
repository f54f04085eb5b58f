// The windows' contract as one golden dump: the main window with its actions,
// menus, status bar and the form's 92 fields and 256 boxes in enumeration order,
// then every dialog as the user first sees it. A change to any of them shows as
// one readable diff against tests/data/widgettree.txt. After an intended change,
// rewrite the file and review its diff:
//     RZM_UPDATE_GOLDEN=1 build/bin/tst_widgettree
#include "gui/app/mainwindow.h"

#include "core/appinfo.h"
#include "diskfiles.h"
#include "modaldriver.h"
#include "noports.h"
#include "sampleforms.h"
#include "widgetdump.h"

#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kGolden = QStringLiteral(RZM_GOLDEN_DIR "/widgettree.txt");

// The differences, as diff shows them, or the first differing line.
QString difference(const QByteArray &expected, const QByteArray &actual)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("widgettree.txt"));
    const QString b = dir.filePath(QStringLiteral("widgettree.actual.txt"));
    fixtures::writeAll(a, expected);
    fixtures::writeAll(b, actual);
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), QStringLiteral("--label"), kGolden, QStringLiteral("--label"),
                                        QStringLiteral("this run"), a, b});
    if (diff.waitForFinished(10000))
        return QString::fromUtf8(diff.readAllStandardOutput());
    const QList<QByteArray> x = expected.split('\n');
    const QList<QByteArray> y = actual.split('\n');
    for (qsizetype i = 0; i < qMax(x.size(), y.size()); ++i)
        if (x.value(i) != y.value(i))
            return QStringLiteral("line %1:\n- %2\n+ %3").arg(i + 1).arg(QString::fromUtf8(x.value(i)), QString::fromUtf8(y.value(i)));
    return {};
}

} // namespace

class tst_WidgetTree : public QObject
{
    Q_OBJECT
private slots:
    void matchesGolden();
};

void tst_WidgetTree::matchesGolden()
{
    // The help text is read from the working folder.
    fixtures::ScopedWorkDir work;
    QVERIFY(fixtures::writeAll(QStringLiteral("rzm_17.hlp"), "Help text\n---\nnot shown\n"));

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList lines = widgetdump::dump(&window);

    widgetdump::DialogDumper dialogs;
    qApp->installEventFilter(&dialogs);
    QVERIFY(widgetdump::openSettingsDialogs(window));
    {
        // The download dialog, on a port that is not there.
        window.applyForm(fixtures::filledForm());
        LinkSettings settings = window.linkSettings();
        settings.port = QStringLiteral("/dev/rzm417-no-such-port");
        window.setLinkSettings(settings);
        QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
        ModalDriver modals;
        window.download();
        QCOMPARE(modals.shown.size(), 1);
    }
    window.nevjegy();
    window.contents();
    qApp->removeEventFilter(&dialogs);
    lines << dialogs.lines;

    // The version is CMake's; the About window's line for it is checked on its own.
    const QString version = QStringLiteral("Version v") + QLatin1String(appinfo::version);
    lines.replaceInStrings(QLatin1String("\"") + version + QLatin1String("\""), QStringLiteral("\"Version v<version>\""));
    const QByteArray actual = lines.join(QLatin1Char('\n')).toUtf8() + '\n';

    if (qEnvironmentVariableIsSet("RZM_UPDATE_GOLDEN")) {
        QVERIFY(fixtures::writeAll(kGolden, actual));
        qInfo("wrote %s", qPrintable(kGolden));
    }
    const QByteArray expected = fixtures::readAll(kGolden);
    QVERIFY2(actual == expected,
             qPrintable(QStringLiteral("the windows differ from %1 (RZM_UPDATE_GOLDEN=1 rewrites it):\n%2")
                            .arg(kGolden, difference(expected, actual))));
}

// The port dialog lists the ports that can be opened: in a port folder of its
// own, where every COM name leads nowhere, it lists none, on any machine.
int main(int argc, char **argv)
{
    NoPorts ports;
    QApplication app(argc, argv);
    ports.linkNowhere();
    tst_WidgetTree test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_widgettree.moc"
