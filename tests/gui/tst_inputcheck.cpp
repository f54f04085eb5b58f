#include "gui/app/mainwindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "modaldriver.h"

// Types like a keyboard with an input method: one key event per character,
// also for characters beyond Latin-1 that QTest::keyClicks cannot send.
static void typeText(QWidget *widget, const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const int n = text[i].isHighSurrogate() ? 2 : 1;
        const QString unit = text.mid(i, n);
        i += n - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, unit);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, unit);
        QApplication::sendEvent(widget, &release);
    }
}

// Drives the real fields with key events and reads the real warning boxes.
class tst_InputCheck : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedText_data();
    void typedText();
    void firstOffenderOnlyThenTheNext();
    void reservedFieldsAreNeverChecked();
    void reentrantRunFromTheBoxLoop();
    void closingWithABadFocusedFieldIsSafe();
    void smsCentreChoice();

private:
    // The field named `name`. A missing one fails the test and is stood in for by
    // a detached, empty field, so the test goes on to its end instead of crashing.
    QLineEdit *field(const QString &name)
    {
        if (auto *edit = m_window->findChild<QLineEdit *>(name))
            return edit;
        QTest::qFail(qPrintable(QStringLiteral("the window has no field %1").arg(name)), __FILE__, __LINE__);
        return &m_missing;
    }
    void typeAndLeave(const QString &name, const QString &text);
    MainWindow *m_window = nullptr;
    QLineEdit m_missing;
};

void tst_InputCheck::init()
{
    m_window = new MainWindow;
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void tst_InputCheck::cleanup()
{
    delete m_window;
}

void tst_InputCheck::typeAndLeave(const QString &name, const QString &text)
{
    QLineEdit *edit = field(name);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    typeText(edit, text);
    // Leave the field the way a user does: move on to another one.
    QLineEdit *other = field(name == "m_nev" ? "be1_nev" : "m_nev");
    other->setFocus();
}

void tst_InputCheck::typedText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: accepted

    const QString digits = "Only numbers.";
    const QString seven = "Only numbers and characters. (7-bit ascii)\n";
    QTest::newRow("pin 12a4") << "m_pin" << "12a4" << digits;
    QTest::newRow("pin 12 4") << "m_pin" << "12 4" << "";
    QTest::newRow("rele_time letter") << "rele_time" << "5s" << digits;
    QTest::newRow("name accented") << "m_nev" << QString::fromUtf8("Kapá") << seven;
    QTest::newRow("name plain") << "m_nev" << "Kapu 1-2, ok!" << "";
    QTest::newRow("name chinese") << "m_nev" << QString::fromUtf8("门") << seven;
    QTest::newRow("name emoji") << "be2_on_msg" << QString::fromUtf8("ok😀") << seven;
    QTest::newRow("visszaallas 2") << "visszaallas" << "2" << "The value is only 1 or 0.";
    QTest::newRow("visszaallas 1") << "visszaallas" << "1" << "";
    QTest::newRow("visszaallas accented") << "visszaallas" << QString::fromUtf8("é") << seven;
    QTest::newRow("phone plus") << "t5" << "+36301234567" << "Telephone number: only numbers.";
    QTest::newRow("phone chinese") << "t16_4" << QString::fromUtf8("36中") << "Telephone number: only numbers.";
    QTest::newRow("phone digits") << "t3_2" << "36301234567" << "";
}

void tst_InputCheck::typedText()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const FormContent before = m_window->captureForm();
    ModalDriver modals;
    QWidget *focusWhileOpen = nullptr;
    modals.whileOpen = [&](const ModalDriver::Shown &) { focusWhileOpen = m_window->focusWidget(); };
    typeAndLeave(name, text);
    if (message.isEmpty()) {
        QTest::qWait(50);
        QCOMPARE(modals.shown.size(), 0);
        QCOMPARE(field(name)->text(), text);
        return;
    }
    QTRY_COMPARE(modals.shown.size(), 1);
    QCOMPARE(modals.shown[0].title, QString("Input error"));
    QCOMPARE(modals.shown[0].text, message);
    QCOMPARE(modals.shown[0].icon, QMessageBox::Warning);
    // The whole field is emptied and receives the focus; nothing else changes.
    QCOMPARE(field(name)->text(), QString());
    QCOMPARE(m_window->captureForm(), before);
    QCOMPARE(focusWhileOpen, field(name));
    QTest::qWait(30);
    QCOMPARE(modals.shown.size(), 1);
}

void tst_InputCheck::firstOffenderOnlyThenTheNext()
{
    // Values from a file or a read-out are not checked until some field finishes an edit.
    field("m_id")->setText("12x");
    field("t5")->setText("-1");
    ModalDriver modals;
    emit field("be1_nev")->editingFinished();
    // The run reports m_id only. Showing its box moves the focus out of m_id, and
    // the run that starts then finds m_id empty and reports t5.
    QTRY_COMPARE(modals.shown.size(), 2);
    QCOMPARE(modals.shown[0].text, QString("Only numbers."));
    QCOMPARE(modals.shown[1].text, QString("Telephone number: only numbers."));
    QCOMPARE(field("m_id")->text(), QString());
    QCOMPARE(field("t5")->text(), QString());
    QTest::qWait(30);
    QCOMPARE(modals.shown.size(), 2);
}

void tst_InputCheck::reservedFieldsAreNeverChecked()
{
    for (int i = 16; i <= 27; ++i)
        field(QStringLiteral("r%1").arg(i))->setText(QString::fromUtf8("ő+中😀"));
    ModalDriver modals;
    emit field("r16")->editingFinished();
    emit field("m_nev")->editingFinished();
    QTest::qWait(50);
    QCOMPARE(modals.shown.size(), 0);
    QCOMPARE(field("r27")->text(), QString::fromUtf8("ő+中😀"));
}

void tst_InputCheck::reentrantRunFromTheBoxLoop()
{
    // Showing the box moves the focus out of the field just emptied; that starts a
    // second run inside the box's event loop, which reports the next offender.
    field("m_pin")->setText("a");
    field("t1")->setText("b");
    field("t2")->setText("c");
    ModalDriver modals;
    modals.whileOpen = [&](const ModalDriver::Shown &) { emit field("m_nev")->editingFinished(); };
    emit field("m_id")->editingFinished();
    QTRY_COMPARE(modals.shown.size(), 3);
    QStringList texts;
    for (const auto &b : modals.shown)
        texts << b.text;
    texts.sort();
    QCOMPARE(texts, QStringList({"Only numbers.", "Telephone number: only numbers.",
                                 "Telephone number: only numbers."}));
    QCOMPARE(field("m_pin")->text(), QString());
    QCOMPARE(field("t1")->text(), QString());
    QCOMPARE(field("t2")->text(), QString());
    QTest::qWait(30);
    QCOMPARE(modals.shown.size(), 3);
}

void tst_InputCheck::closingWithABadFocusedFieldIsSafe()
{
    QLineEdit *pin = field("m_pin");
    pin->setFocus();
    QTRY_VERIFY(pin->hasFocus());
    typeText(pin, "9z");
    ModalDriver modals;
    delete m_window; // must not run a check on a form being torn down
    m_window = nullptr;
    QTest::qWait(30);
    QCOMPARE(modals.shown.size(), 0);
}

void tst_InputCheck::smsCentreChoice()
{
    auto *combo = m_window->findChild<QComboBox *>("smskp_combo");
    QVERIFY(combo);
    QLineEdit *smskp = field("smskp");
    combo->setCurrentIndex(1);
    QCOMPARE(smskp->text(), QString("36209300099"));
    QVERIFY(!smskp->isEnabled());
    combo->setCurrentIndex(3);
    QCOMPARE(smskp->text(), QString("36209300099"));
    QVERIFY(smskp->isEnabled());
    QTRY_VERIFY(smskp->hasFocus());
    QTest::keyClick(smskp, Qt::Key_End);
    QTest::keyClicks(smskp, "7");
    QCOMPARE(smskp->text(), QString("362093000997"));
    combo->setCurrentIndex(2);
    QCOMPARE(smskp->text(), QString("36709996500"));
    QVERIFY(!smskp->isEnabled());
    combo->setCurrentIndex(0);
    QCOMPARE(smskp->text(), QString("36309888000"));
}

QTEST_MAIN(tst_InputCheck)
#include "tst_inputcheck.moc"
