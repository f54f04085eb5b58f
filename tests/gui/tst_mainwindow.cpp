// The main window's commands: the checksum actions, the keys and the input check
// of every field. What the window is built of (actions, menus, status bar, slot
// table) is in the golden dump of tst_widgettree.
#include "gui/app/mainwindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "modaldriver.h"

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
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

void tst_MainWindow::checksumActionsFollowSettings()
{
    action("action24bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(2));
    QVERIFY(!action("action8bit_sum")->isChecked());
    QVERIFY(action("action24bit_sum")->isChecked());
    action("action32bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(3));
    action("action16bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(1));
    action("action8bit_sum")->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(0));
    QVERIFY(!action("action16bit_sum")->isChecked());
}

void tst_MainWindow::setCheckToggles()
{
    m_window->setCheck();
    QVERIFY(m_window->linkSettings().checkValue);
    QVERIFY(menu("menuCHKS")->isEnabled());
    m_window->setCheck();
    QVERIFY(!m_window->linkSettings().checkValue);
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
                             "actionVerify", "actionContents", "actionPrint"}) {
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
