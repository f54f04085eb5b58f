// The one-character settings dialogs, opened through the window's slots and
// driven through their real widgets.
#include "gui/app/mainwindow.h"

#include "modaldriver.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton *okButton(QWidget *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
    return buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
}

// Empties a field the way a user does, then types `text` unless it is empty.
void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    if (!text.isEmpty())
        field->insert(text); // insert() also reaches characters no key produces
}

} // namespace

class tst_chardialogs : public QObject
{
    Q_OBJECT

private slots:
    void oneCharacter_data();
    void oneCharacter();
    void separatorsNeedBothFields_data();
    void separatorsNeedBothFields();
};

void tst_chardialogs::oneCharacter_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("typed"); // empty: accept the field as it opened
    QTest::addColumn<QString>("finish"); // "ok", "cancel" or "close"
    QTest::addColumn<int>("stored");
    // The CHKS entry checked afterwards: the one that names the stored checksum.
    QTest::addColumn<QString>("checked");

    // The 16-bit sum is chosen first, so both 0 and "unchanged" show. Fix is
    // reached through its menu entry, whose action group checks it at once; the
    // mark stays there whatever the dialog stores, or when it is cancelled.
    QTest::newRow("fix: digit 2 is code 50") << "fix" << "2" << "ok" << 50 << "actionFix";
    QTest::newRow("fix: accepted empty stores 0") << "fix" << "" << "ok" << 0 << "actionFix";
    QTest::newRow("fix: cancel") << "fix" << "7" << "cancel" << 1 << "actionFix";
    QTest::newRow("fix: outside Latin-1") << "fix" << "\u0151" << "ok" << int('?') << "actionFix";
    QTest::newRow("ack: K") << "ack" << "K" << "ok" << int('K') << "action16bit_sum";
    QTest::newRow("ack: unchanged O") << "ack" << "" << "ok" << int('O') << "action16bit_sum";
    QTest::newRow("ack: cancel") << "ack" << "K" << "cancel" << int('O') << "action16bit_sum";
    QTest::newRow("ack: window closed") << "ack" << "K" << "close" << int('O') << "action16bit_sum";
    QTest::newRow("ack: Latin-1 e acute") << "ack" << "\u00e9" << "ok" << 0xE9 << "action16bit_sum";
    QTest::newRow("ack: outside Latin-1") << "ack" << "\u0416" << "ok" << int('?') << "action16bit_sum";
    QTest::newRow("uc: x") << "uc" << "x" << "ok" << int('x') << "action16bit_sum";
    QTest::newRow("uc: cancel") << "uc" << "x" << "cancel" << int('{') << "action16bit_sum";
    QTest::newRow("uc: outside Latin-1") << "uc" << "\u20ac" << "ok" << int('?') << "action16bit_sum";
}

void tst_chardialogs::oneCharacter()
{
    QFETCH(QString, which);
    QFETCH(QString, typed);
    QFETCH(QString, finish);
    QFETCH(int, stored);
    QFETCH(QString, checked);

    MainWindow w;
    auto *sum16 = w.findChild<QAction *>("action16bit_sum");
    auto *fix = w.findChild<QAction *>("actionFix");
    auto *kinds = w.findChild<QActionGroup *>("checksumKinds");
    QVERIFY(sum16 && fix && kinds);
    sum16->trigger();
    ModalDriver modals;
    QList<bool> okStates; // while emptied, then filled again
    modals.then([&](QWidget *dialog) {
        auto *field = dialog->findChild<QLineEdit *>("i_char");
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        if (!field || !buttons || !okButton(dialog) || !buttons->button(QDialogButtonBox::Cancel))
            return ModalDriver::abandon(dialog, "the dialog lacks i_char or its OK and Cancel buttons");
        if (!typed.isEmpty()) {
            // setFix opens empty: only an edit that empties the field disables OK.
            retype(field, "a");
            retype(field, QString());
            okStates << okButton(dialog)->isEnabled();
            retype(field, typed);
            okStates << okButton(dialog)->isEnabled();
        }
        if (finish == "ok")
            okButton(dialog)->click();
        else if (finish == "cancel")
            buttons->button(QDialogButtonBox::Cancel)->click();
        else
            dialog->close();
    });

    LinkSettings before = w.linkSettings();
    if (which == "fix")
        fix->trigger();
    else if (which == "ack")
        w.setAckChar();
    else
        w.setUploadCommand();
    QVERIFY(modals.finished());
    QVERIFY(modals.unexpected.isEmpty());
    QCOMPARE(okStates, typed.isEmpty() ? QList<bool>() : (QList<bool>{false, true}));

    LinkSettings after = w.linkSettings();
    const int byte = which == "fix" ? after.checkSize.byte() : which == "ack" ? after.ackChar : after.uploadCommand;
    QCOMPARE(byte, stored);
    after.checkSize = before.checkSize;
    after.ackChar = before.ackChar;
    after.uploadCommand = before.uploadCommand;
    QCOMPARE(after, before); // nothing else moved
    QVERIFY(kinds->checkedAction());
    QCOMPARE(kinds->checkedAction()->objectName(), checked);
}

void tst_chardialogs::separatorsNeedBothFields_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
}

void tst_chardialogs::separatorsNeedBothFields()
{
    QFETCH(bool, accept);
    MainWindow w;
    ModalDriver modals;
    QList<bool> okStates;
    modals.then([&](QWidget *dialog) {
        auto *ds = dialog->findChild<QLineEdit *>("c_ds");
        auto *us = dialog->findChild<QLineEdit *>("c_us");
        if (!ds || !us || !okButton(dialog))
            return ModalDriver::abandon(dialog, "the dialog lacks c_ds, c_us or its OK button");
        okStates << (ds->text() == "|" && us->text() == "|") << okButton(dialog)->isEnabled();
        retype(ds, QString());
        okStates << okButton(dialog)->isEnabled();
        retype(ds, ";");
        okStates << okButton(dialog)->isEnabled();
        retype(us, QString());
        okStates << okButton(dialog)->isEnabled();
        retype(ds, QString());
        okStates << okButton(dialog)->isEnabled();
        retype(ds, ";");
        retype(us, "\u0151");
        okStates << okButton(dialog)->isEnabled();
        if (accept)
            okButton(dialog)->click();
        else
            static_cast<QDialog *>(dialog)->reject();
    });
    w.setSeparators();
    QVERIFY(modals.finished());
    QCOMPARE(okStates, (QList<bool>{true, true, false, true, false, false, true}));
    QCOMPARE(int(w.linkSettings().downloadSeparator), accept ? int(';') : int('|'));
    QCOMPARE(int(w.linkSettings().uploadSeparator), accept ? int('?') : int('|'));
}

QTEST_MAIN(tst_chardialogs)
#include "tst_chardialogs.moc"
