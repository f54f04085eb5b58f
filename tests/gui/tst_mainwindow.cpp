#include "mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWindow>

#include "modaldriver.h"

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowProperties();
    void actionsInOrder();
    void actionStates();
    void menus();
    void statusBar();
    void slotTable();
    void checksumActionsFollowSettings();
    void setCheckToggles();
    void disabledShortcutsDoNothing();
    void commandKeysWinOverTextFields();
    void everyTextFieldRunsTheInputCheck();

private:
    QAction *action(const char *name) { return m_window->findChild<QAction *>(name); }
    QMenu *menu(const char *name) { return m_window->findChild<QMenu *>(name); }
    MainWindow *m_window = nullptr;
};

void tst_MainWindow::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_MainWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_MainWindow::windowProperties()
{
    QCOMPARE(m_window->objectName(), QString("MainWindow"));
    // The title as the window system shows it (the "[*]" place of the modified mark
    // shows nothing while no edit is unsaved).
    QCOMPARE(m_window->windowHandle()->title(), QString::fromUtf8("RZM-417 letöltő szoftver"));
    QCOMPARE(m_window->minimumSize(), QSize(1010, 690));
    QCOMPARE(m_window->maximumSize(), QSize(1010, 690));
    QCOMPARE(m_window->size(), QSize(1010, 690));
    QVERIFY(!m_window->windowIcon().isNull());
    const QPalette p = m_window->palette();
    QCOMPARE(p.color(QPalette::Active, QPalette::Text), QColor(0, 111, 0));
    QCOMPARE(p.color(QPalette::Inactive, QPalette::Text), QColor(0, 111, 0));
    QCOMPARE(p.color(QPalette::Disabled, QPalette::Text), QColor(118, 116, 108));
    auto *picture = m_window->findChild<QLabel *>("label");
    QVERIFY(picture);
    QVERIFY(!picture->pixmap().isNull());
}

void tst_MainWindow::actionsInOrder()
{
    struct Row { const char *name; const char *text; const char *shortcut; bool icon; };
    const Row rows[] = {
        {"actionNew", "New", "Ctrl+N", true},
        {"actionOpen", "Megnyitás", "Ctrl+O", true},
        {"actionSave", "Mentés", "Ctrl+S", true},
        {"actionExit", "Exit", "Ctrl+Q", true},
        {"actionPort", "Port", "", false},
        {"actionBaudrate", "Baudrate", "", false},
        {"action8bit_sum", "8bit sum", "", false},
        {"action16bit_sum", "16bit sum", "", false},
        {"actionContent", "Content", "", false},
        {"actionAbout", "Névjegy", "", true},
        {"actionReadup", "Kiolvasás az eszközből", "Ctrl+R", true},
        {"actionDownload", "Betöltés az eszközbe", "Ctrl+D", true},
        {"action24bit_sum", "24bit sum", "", false},
        {"action32bit_sum", "32bit sum", "", false},
        {"actionFix", "Fix", "", false},
        {"actionACK", "ACK", "", false},
        {"actionSaveAs", "Save As", "", true},
        {"actionCheck", "Check", "", false},
        {"actionSeparators", "Separators", "", false},
        {"actionUC", "Upload Command", "", false},
        {"actionVerify", "Betöltés ellenőrzése", "Ctrl+E", false},
        {"actionContents", "Tartalom", "F1", false},
    };
    QList<QAction *> own;
    for (QAction *a : m_window->findChildren<QAction *>(Qt::FindDirectChildrenOnly))
        if (a->objectName().startsWith("action"))
            own.append(a);
    QCOMPARE(own.size(), 22);
    for (int i = 0; i < 22; ++i) {
        QCOMPARE(own[i]->objectName(), QString(rows[i].name));
        QCOMPARE(own[i]->text(), QString::fromUtf8(rows[i].text));
        QCOMPARE(own[i]->shortcut(), QKeySequence(rows[i].shortcut));
        QCOMPARE(!own[i]->icon().isNull(), rows[i].icon);
    }
}

void tst_MainWindow::actionStates()
{
    QVERIFY(!action("actionNew")->isEnabled());
    QVERIFY(!action("actionNew")->isVisible());
    QVERIFY(!action("actionSaveAs")->isEnabled());
    QVERIFY(!action("actionSaveAs")->isVisible());
    QVERIFY(action("actionCheck")->isCheckable());
    QVERIFY(!action("actionCheck")->isChecked());
    QVERIFY(!action("actionCheck")->isEnabled());
    QVERIFY(!action("actionACK")->isEnabled());
    QVERIFY(!action("actionSeparators")->isEnabled());
    QVERIFY(!action("actionUC")->isEnabled());
    for (const char *name : {"actionOpen", "actionSave", "actionExit", "actionPort", "actionReadup",
                             "actionDownload", "actionVerify", "actionAbout", "actionContents"})
        QVERIFY2(action(name)->isEnabled(), name);
    QVERIFY(action("action8bit_sum")->isChecked());
    for (const char *name : {"action16bit_sum", "action24bit_sum", "action32bit_sum", "actionFix"})
        QVERIFY2(!action(name)->isChecked(), name);
    QVERIFY(!menu("menuCHKS")->isEnabled());
    QVERIFY(menu("menuCHKS")->menuAction()->isVisible());
}

void tst_MainWindow::menus()
{
    auto entries = [](QMenu *m) {
        QStringList list;
        for (QAction *a : m->actions())
            list << (a->isSeparator() ? QString("|") : a->menu() ? a->menu()->objectName() : a->objectName());
        return list;
    };
    QStringList bar;
    for (QAction *a : m_window->menuBar()->actions())
        bar << a->menu()->objectName();
    QCOMPARE(bar, QStringList({"menuFile", "menuSettings", "menuDevice", "menuHelp"}));
    QCOMPARE(menu("menuFile")->title(), QString("File"));
    QCOMPARE(menu("menuSettings")->title(), QString::fromUtf8("Beállítások"));
    QCOMPARE(menu("menuDevice")->title(), QString("Eszköz"));
    QCOMPARE(menu("menuHelp")->title(), QString("Help"));
    QCOMPARE(menu("menuCHKS")->title(), QString("CHKS"));
    QCOMPARE(entries(menu("menuFile")),
             QStringList({"actionNew", "actionOpen", "actionSave", "actionSaveAs", "|", "actionExit"}));
    QCOMPARE(entries(menu("menuSettings")),
             QStringList({"actionPort", "actionCheck", "menuCHKS", "actionACK", "|", "actionSeparators", "actionUC"}));
    QCOMPARE(entries(menu("menuCHKS")),
             QStringList({"action8bit_sum", "action16bit_sum", "action24bit_sum", "action32bit_sum", "|", "actionFix"}));
    QCOMPARE(entries(menu("menuDevice")),
             QStringList({"actionReadup", "|", "actionDownload", "actionVerify"}));
    QCOMPARE(entries(menu("menuHelp")), QStringList({"actionAbout", "actionContents"}));
    QCOMPARE(m_window->menuBar()->objectName(), QString("menuBar"));
}

void tst_MainWindow::statusBar()
{
    QStatusBar *bar = m_window->statusBar();
    QCOMPARE(bar->objectName(), QString("statusBar"));
    auto labels = bar->findChildren<QLabel *>();
    std::sort(labels.begin(), labels.end(), [](QLabel *a, QLabel *b) { return a->x() < b->x(); });
    QStringList texts;
    for (QLabel *l : labels)
        if (l->isVisible())
            texts << l->text();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0], QString("No file"));
    QCOMPARE(texts[1], QString("COM1  Baud: 1200"));
    QVERIFY(texts[2].contains(QChar(0xA9)));
    // The two stretching sections share the room; the notice keeps its own width.
    QVERIFY(labels[0]->width() > labels[2]->width() / 2);
}

void tst_MainWindow::slotTable()
{
    const QMetaObject *mo = m_window->metaObject();
    QCOMPARE(QString(mo->className()), QString("MainWindow"));
    QStringList names;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        QCOMPARE(m.methodType(), QMetaMethod::Slot);
        QCOMPARE(m.access(), QMetaMethod::Public);
        QCOMPARE(m.parameterCount(), 0);
        names << QString::fromLatin1(m.name());
    }
    QCOMPARE(names, QStringList({"newfile", "openfile", "save", "saveas", "verify_func", "show_port",
                                 "setCheck", "setFixChar", "setAckChar", "setSeparators",
                                 "setUploadCommand", "setChks8", "setChks16", "setChks24", "setChks32",
                                 "download", "readup", "nevjegy", "contents", "input_check",
                                 "smskpSelect"}));
    QCOMPARE(mo->propertyCount(), mo->propertyOffset());
}

void tst_MainWindow::checksumActionsFollowSettings()
{
    action("action24bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, quint8(2));
    QVERIFY(!action("action8bit_sum")->isChecked());
    QVERIFY(action("action24bit_sum")->isChecked());
    action("action32bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, quint8(3));
    action("action16bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, quint8(1));
    action("action8bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, quint8(0));
    QVERIFY(!action("action16bit_sum")->isChecked());
}

void tst_MainWindow::setCheckToggles()
{
    m_window->setCheck();
    QCOMPARE(m_window->linkSettings().checkValue, 1);
    QVERIFY(menu("menuCHKS")->isEnabled());
    m_window->setCheck();
    QCOMPARE(m_window->linkSettings().checkValue, 0);
    QVERIFY(!menu("menuCHKS")->isEnabled());
}

void tst_MainWindow::disabledShortcutsDoNothing()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    // Ctrl+N belongs to New, which is disabled and hidden: pressed on the window and
    // in a text field, it reaches no command.
    QAction *newAction = action("actionNew");
    disconnect(newAction, nullptr, m_window, nullptr);
    QSignalSpy newSpy(newAction, &QAction::triggered);
    auto *field = m_window->findChild<QLineEdit *>("m_nev");
    QTest::keyClick(m_window, Qt::Key_N, Qt::ControlModifier);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(newSpy.count(), 0);
    // The same key does reach the action once it is enabled and shown, so the
    // silence above comes from its state.
    newAction->setEnabled(true);
    newAction->setVisible(true);
    QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(newSpy.count(), 1);
}

void tst_MainWindow::commandKeysWinOverTextFields()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *field = m_window->findChild<QLineEdit *>("m_nev");
    field->setFocus();
    // Every command's shortcut reaches its action from a text field.
    for (const char *name : {"actionOpen", "actionSave", "actionExit", "actionReadup", "actionDownload",
                             "actionVerify", "actionContents"}) {
        QAction *a = action(name);
        disconnect(a, nullptr, m_window, nullptr);
        QSignalSpy spy(a, &QAction::triggered);
        const QKeyCombination key = a->shortcut()[0];
        QTest::keyClick(field, key.key(), key.keyboardModifiers());
        QVERIFY2(spy.count() == 1, name);
    }
    // Ctrl+A selects all in a text field on every platform, as Ctrl+E moves to the
    // end on Linux. Given to a command, the key goes to the command; once that
    // command is disabled, the field has it again.
    field->setText("Kapu");
    field->deselect();
    QAction *verify = action("actionVerify");
    verify->setShortcut(QKeySequence::SelectAll);
    QSignalSpy verifySpy(verify, &QAction::triggered);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(verifySpy.count(), 1);
    QCOMPARE(field->selectedText(), QString());
    verify->setEnabled(false);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(verifySpy.count(), 1);
    QCOMPARE(field->selectedText(), QStringLiteral("Kapu"));
}

void tst_MainWindow::everyTextFieldRunsTheInputCheck()
{
    const auto edits = m_window->centralWidget()->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 92);
    ModalDriver modals;
    for (QLineEdit *edit : edits) {
        m_window->centralWidget()->findChild<QLineEdit *>("m_pin")->setText("x");
        emit edit->editingFinished();
        QTRY_COMPARE_WITH_TIMEOUT(modals.shown.size(), 1, 2000);
        QCOMPARE(modals.shown.first().text, QString("Only numbers."));
        modals.shown.clear();
    }
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
