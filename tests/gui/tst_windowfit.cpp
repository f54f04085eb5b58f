// Every window the program opens shows all it holds, on the screen ctest gives it
// (tests/data/screens: 96 DPI, a laptop's 120 DPI fonts, 150 % scaling on a
// 1600 x 1000 screen): no text needs more room than its widget has, no widget
// lies partly outside what the user can see, and the whole form shows between the
// menu bar and the status bar, or scrolls there where the screen is too small.
#include "gui/app/mainwindow.h"
#include "gui/transfer/dload.h"

#include "diskfiles.h"
#include "fitcheck.h"
#include "modaldriver.h"
#include "noports.h"
#include "ptypair.h"
#include "sampleforms.h"


#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSerialPort>
#include <QStatusBar>
#include <QTest>

namespace {

QString size(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// The window lies wholly on the screen's available area.
bool onScreen(const QWidget *window)
{
    return window->screen()->availableGeometry().contains(window->frameGeometry());
}

} // namespace

class tst_WindowFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindow();
    void dialogsAndBoxes();
    void downloadOutcomes();
    void helpAndAbout();

private:
    QStringList m_problems;
};

void tst_WindowFit::initTestCase()
{
    QVERIFY2(QFontInfo(QApplication::font()).family().startsWith(QLatin1String("DejaVu")),
             qPrintable(QFontInfo(QApplication::font()).family()));
    const QScreen *screen = QApplication::primaryScreen();
    qInfo("screen %s logical, %.0f DPI, scale %.2f, font %d px", qPrintable(size(screen->availableGeometry().size())),
          screen->logicalDotsPerInch(), screen->devicePixelRatio(), QFontInfo(QApplication::font()).pixelSize());
}

void tst_WindowFit::mainWindow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(onScreen(&window));
    QCOMPARE(window.minimumSize(), window.maximumSize()); // fixed, as it always was
    const QStringList problems = fitcheck::problems(&window) + fitcheck::menuProblems(window.menuBar());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    // The whole form, between the menu bar and the status bar, or scrolling there.
    const auto *form = window.findChild<QWidget *>(QStringLiteral("Frame"));
    QVERIFY(form);
    QCOMPARE(form->size(), QSize(1010, 655));
    const auto *area = qobject_cast<const QScrollArea *>(window.centralWidget());
    QVERIFY(area);
    QCOMPARE(area->widget()->size(), QSize(1010, 655));
    const QSize screen = window.screen()->availableGeometry().size();
    // The bars and the form area share the window, once its layout has run.
    QTRY_COMPARE(window.menuBar()->height() + area->height() + window.statusBar()->height(), window.height());
    const bool scrolls = area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible();
    qInfo("window %s, menu bar %d, status bar %d, form area %s%s", qPrintable(size(window.size())),
          window.menuBar()->height(), window.statusBar()->height(), qPrintable(size(area->size())),
          scrolls ? " (scrolls)" : "");
    if (scrolls) {
        QVERIFY2(window.frameGeometry().height() > screen.height() - 40 || window.frameGeometry().width() > screen.width() - 40,
                 "a window that scrolls takes the screen's size");
        // Scrolled to its end, the form's last corner is in sight.
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        QVERIFY(area->viewport()->rect().contains(form->mapTo(area->viewport(), QPoint(1009, 654))));
    } else {
        QCOMPARE(area->viewport()->size(), QSize(1010, 655));
    }
}

// The settings dialogs, the file dialogs, the boxes of the commands.
void tst_WindowFit::dialogsAndBoxes()
{
    fixtures::ScopedWorkDir work;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList problems;
    QStringList seen;
    ModalDriver modals;
    modals.whileOpen = [&](const ModalDriver::Shown &shown) {
        seen << shown.title;
        problems << fitcheck::problems(shown.window);
        if (!onScreen(shown.window))
            problems << shown.title + QStringLiteral(" lies partly off the screen");
    };
    modals.cancel().cancel().cancel().cancel().cancel(); // the five settings dialogs
    window.show_port();
    window.setFixChar();
    window.setAckChar();
    window.setUploadCommand();
    window.setSeparators();
    modals.cancel().cancel().cancel().cancel(); // Megnyitás, Mentés, PDF, print preview
    window.openfile();
    window.save();
    window.exportPdf();
    window.printSheet();
    window.download(); // an empty PIN: refused with a box
    auto *pin = window.findChild<QLineEdit *>(QStringLiteral("m_pin"));
    QVERIFY(pin);
    pin->setText(QStringLiteral("12a"));
    window.input_check(); // "Input error"
    window.applyForm(fixtures::richForm());
    modals.press(QMessageBox::Cancel);
    window.openfile(); // the unsaved-changes question
    LinkSettings settings = window.linkSettings();
    settings.port = QStringLiteral("/dev/rzm417-no-such-port");
    window.setLinkSettings(settings);
    window.verify_func(); // the port failure
    QVERIFY(modals.finished());
    QCOMPARE(seen.size(), 13);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

// The download's dialog with each outcome: its label and the dialog grow as the
// text needs.
void tst_WindowFit::downloadOutcomes()
{
    MainWindow window;
    PtyPair pty;
    QVERIFY(pty.isValid());
    QSerialPort holder(pty.slavePath()); // another program holds the port
    QVERIFY(holder.open(QIODevice::ReadWrite));
    LinkSettings settings;
    settings.port = pty.slavePath();
    dload dialog(settings, QStringLiteral("x"), &window);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *status = dialog.findChild<QLabel *>(QStringLiteral("kiiras"));
    QVERIFY(status);
    QTRY_VERIFY(status->text().contains(QStringLiteral("cannot be opened: in use by")));
    QStringList problems = fitcheck::problems(&dialog);
    qInfo("busy port: dialog %s, label %s", qPrintable(size(dialog.size())), qPrintable(size(status->size())));
    using transfer::DownloadOutcome;
    for (DownloadOutcome outcome : {DownloadOutcome::NoReady, DownloadOutcome::NotAcknowledged, DownloadOutcome::LineLost,
                                    DownloadOutcome::Acknowledged}) {
        dialog.dlcomplete(outcome);
        QCoreApplication::processEvents();
        problems << fitcheck::problems(&dialog);
    }
    QVERIFY2(onScreen(&dialog), qPrintable(size(dialog.frameGeometry().size())));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

// The two modeless windows; the help window scrolls where the screen is smaller.
void tst_WindowFit::helpAndAbout()
{
    fixtures::ScopedWorkDir work;
    QVERIFY(fixtures::writeAll(QStringLiteral("rzm_17.hlp"), "Help text\n---\n"));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.nevjegy();
    window.contents();
    QStringList problems;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top == &window)
            continue;
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QTRY_VERIFY2(onScreen(top), qPrintable(top->objectName()));
        problems << fitcheck::problems(top);
        qInfo("%s %s", qPrintable(top->objectName()), qPrintable(size(top->size())));
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

// Every COM name leads nowhere, so the port dialog lists the same on any machine.
NOPORTS_TEST_MAIN(tst_WindowFit)

#include "tst_windowfit.moc"
