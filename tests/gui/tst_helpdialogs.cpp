// Help and About: the help text read from the working directory (this test runs
// where no copy lies beside it), the version, and new modeless windows at every call.
#include "core/appinfo.h"
#include "gui/dialogs/about.h"
#include "gui/dialogs/help.h"
#include "gui/app/mainwindow.h"

#include "diskfiles.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_helpdialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void helpText_data();
    void helpText();
    void shippedHelpFile();
    void aboutWindow();
    void newWindowEachTime();

private:
    std::unique_ptr<fixtures::ScopedWorkDir> m_dir;
};

void tst_helpdialogs::init()
{
    m_dir = std::make_unique<fixtures::ScopedWorkDir>();
}

void tst_helpdialogs::cleanup()
{
    m_dir.reset();
}

void tst_helpdialogs::helpText_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("wrapped");

    QTest::newRow("--- as second line") << true << QByteArray("first\n---\nnot shown\n") << "first\n---\n" << false;
    QTest::newRow("--- first") << true << QByteArray("---\nnot shown") << "---\n" << false;
    QTest::newRow("no marker") << true << QByteArray("one\ntwo\n") << "one\ntwo\n" << false;
    QTest::newRow("no marker, no last line end") << true << QByteArray("one\ntwo") << "one\ntwo\n" << false;
    QTest::newRow("CR LF rejoined with LF") << true << QByteArray("one\r\ntwo\r\n---\r\nx\r\n") << "one\ntwo\n---\n"
                                            << false;
    QTest::newRow("marker with blank is text") << true << QByteArray("--- \nb\n") << "--- \nb\n" << false;
    QTest::newRow("empty file") << true << QByteArray() << "\n" << false;
    QTest::newRow("no file") << false << QByteArray() << "ERROR: Canot open the help file." << true;
}

void tst_helpdialogs::helpText()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(bool, wrapped);
    if (exists)
        QVERIFY(fixtures::writeAll("rzm_17.hlp", bytes));
    help dialog;
    const auto *viewer = dialog.findChild<QPlainTextEdit *>("plainTextEdit");
    QVERIFY(viewer);
    QCOMPARE(viewer->toPlainText(), shown);
    QCOMPARE(viewer->lineWrapMode(), wrapped ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    QVERIFY(viewer->isReadOnly());
}

void tst_helpdialogs::shippedHelpFile()
{
    // The file built beside the program: Hungarian text that ends at its marker.
    QDir::setCurrent(QStringLiteral(RZM_PROGRAM_DIR));
    help dialog;
    const auto *viewer = dialog.findChild<QPlainTextEdit *>("plainTextEdit");
    QVERIFY(viewer);
    const QString text = viewer->toPlainText();
    QVERIFY(text.endsWith("\n---\n"));
    QVERIFY(text.size() > 2000);
    for (const char *word : {"Megnyitás", "Mentés", "Kiolvasás az eszközből", "Betöltés az eszközbe",
                             "Betöltés ellenőrzése", "Port", "Névjegy", "Tartalom", "SMS központ",
                             "Telefonszám", "Bemenet riasztás", "Kimenet vezérlés", "Visszaállás"})
        QVERIFY2(text.contains(QString::fromUtf8(word), Qt::CaseInsensitive), word);
    QVERIFY(!text.contains("nem jelenik meg"));
}

void tst_helpdialogs::aboutWindow()
{
    // The version CMakeLists.txt sets, in the shape the window always had; the
    // rest of the window is in the golden dump (tst_widgettree).
    about dialog;
    const auto *version = dialog.findChild<QLabel *>("label_6");
    QVERIFY(version);
    QCOMPARE(version->text(), "Version v" + QLatin1String(appinfo::version));
    QVERIFY(QRegularExpression("^\\d+\\.\\d+").match(QLatin1String(appinfo::version)).hasMatch());
}

void tst_helpdialogs::newWindowEachTime()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *aboutAction = w.findChild<QAction *>("actionAbout");
    QVERIFY(aboutAction);
    QTest::keyClick(&w, Qt::Key_F1);
    QTest::keyClick(&w, Qt::Key_F1);
    aboutAction->trigger();
    aboutAction->trigger();

    const auto helps = w.findChildren<help *>();
    const auto abouts = w.findChildren<about *>();
    QCOMPARE(helps.size(), 2);
    QCOMPARE(abouts.size(), 2);
    for (QDialog *dialog : {static_cast<QDialog *>(helps[0]), static_cast<QDialog *>(helps[1]),
                            static_cast<QDialog *>(abouts[0]), static_cast<QDialog *>(abouts[1])}) {
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
    }
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // Closing one leaves the other; a closed window does not linger as a hidden child.
    auto *buttons = helps[0]->findChild<QDialogButtonBox *>("buttonBox");
    QVERIFY(buttons && buttons->button(QDialogButtonBox::Close));
    buttons->button(QDialogButtonBox::Close)->click();
    QTRY_COMPARE(w.findChildren<help *>().size(), 1);
    QVERIFY(w.findChildren<help *>().first()->isVisible());
}

QTEST_MAIN(tst_helpdialogs)
#include "tst_helpdialogs.moc"
