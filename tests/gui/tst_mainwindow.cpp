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
    QAction *sum8 = action("action8bit_sum");
    QAction *sum16 = action("action16bit_sum");
    QAction *sum24 = action("action24bit_sum");
    QAction *sum32 = action("action32bit_sum");
    QVERIFY(sum8 && sum16 && sum24 && sum32);
    sum24->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(2));
    QVERIFY(!sum8->isChecked());
    QVERIFY(sum24->isChecked());
    sum32->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(3));
    sum16->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(1));
    sum8->trigger();
    QCOMPARE(m_window->linkSettings().checkSize, Checksum::fromByte(0));
    QVERIFY(!sum16->isChecked());
}

void tst_MainWindow::setCheckToggles()
{
    QMenu *checksums = menu("menuCHKS");
    QVERIFY(checksums);
    m_window->setCheck();
    QVERIFY(m_window->linkSettings().checkValue);
    QVERIFY(checksums->isEnabled());
    m_window->setCheck();
    QVERIFY(!m_window->linkSettings().checkValue);
    QVERIFY(!checksums->isEnabled());
}

void tst_MainWindow::disabledShortcutsDoNothing()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    // Ctrl+N belongs to New, which is disabled and hidden: pressed on the window and
    // in a text field, it reaches no command.
    QAction *newAction = action("actionNew");
    auto *field = m_window->findChild<QLineEdit *>("m_nev");
    QVERIFY(newAction && field);
    disconnect(newAction, nullptr, m_window, nullptr);
    QSignalSpy newSpy(newAction, &QAction::triggered);
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
    QVERIFY(field);
    field->setFocus();
    // Every command's shortcut reaches its action from a text field.
    for (const char *name : {"actionOpen", "actionSave", "actionExit", "actionReadup", "actionDownload",
                             "actionVerify", "actionContents", "actionPrint"}) {
        QAction *a = action(name);
        QVERIFY2(a, name);
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
    QVERIFY(verify);
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
    auto *pin = m_window->centralWidget()->findChild<QLineEdit *>("m_pin");
    QVERIFY(pin);
    ModalDriver modals;
    for (QLineEdit *edit : edits) {
        pin->setText("x");
        emit edit->editingFinished();
        QTRY_COMPARE_WITH_TIMEOUT(modals.shown.size(), 1, 2000);
        QCOMPARE(modals.shown.first().text, QString("Only numbers."));
        modals.shown.clear();
    }
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
