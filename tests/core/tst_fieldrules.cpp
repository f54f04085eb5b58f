// The rules the window, the command-line tool and the tests share about a form's
// texts and boxes: the group key, the cut to a field's length, the read-back.
#include "core/fieldrules.h"
#include "core/formschema.h"
#include "core/groupkey.h"
#include "core/phoneslot.h"
#include "core/transfer/answer.h"
#include "core/transfer/transfertext.h"

#include <QTest>

class tst_fieldrules : public QObject
{
    Q_OBJECT

private slots:
    void groupKey_data();
    void groupKey();
    void textsAreCutToTheirFields();
    void readBackIsWhatAReadoutGives();
};

void tst_fieldrules::groupKey_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("recordOk");
    QTest::addColumn<int>("record");
    QTest::addColumn<bool>("bitOk");
    QTest::addColumn<int>("bit");
    QTest::addColumn<int>("value");
    QTest::newRow("alarm input 2") << "1.2" << true << 1 << true << 2 << 2;
    QTest::newRow("control output 1") << "128.1" << true << 128 << true << 1 << 1;
    QTest::newRow("bit unreadable") << "1.x" << true << 1 << false << 0 << 0;
    QTest::newRow("record unreadable") << "x.2" << false << 0 << true << 2 << 2;
    QTest::newRow("no point: one piece is both") << "7" << true << 7 << true << 7 << 64;
    QTest::newRow("three pieces: first and last") << "3.9.1" << true << 3 << true << 1 << 1;
    QTest::newRow("bit 0 adds nothing") << "4.0" << true << 4 << true << 0 << 0;
    QTest::newRow("empty") << "" << false << 0 << false << 0 << 0;
}

void tst_fieldrules::groupKey()
{
    QFETCH(QString, group);
    QFETCH(bool, recordOk);
    QFETCH(int, record);
    QFETCH(bool, bitOk);
    QFETCH(int, bit);
    QFETCH(int, value);
    const GroupKey key = GroupKey::parse(group);
    QCOMPARE(key.recordOk, recordOk);
    QCOMPARE(key.bitOk, bitOk);
    if (recordOk)
        QCOMPARE(key.record, record);
    if (bitOk)
        QCOMPARE(key.bit, bit);
    QCOMPARE(key.value(), qint64(value));
    // Every key of the form reads back as the record and bit it was written from.
    for (const auto &box : formschema::boxes()) {
        const GroupKey k = GroupKey::parse(box.group);
        QVERIFY(k.ok());
        QCOMPARE(GroupKey::text(k.record, k.bit), box.group);
    }
}

void tst_fieldrules::textsAreCutToTheirFields()
{
    FormContent form = FormContent::empty();
    for (auto &t : form.texts)
        t.text = QStringLiteral("12345678901234567890");
    const FormContent fitted = fieldrules::fitToFields(form);
    const auto &fields = formschema::textFields();
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fitted.texts[i].text, form.texts[i].text.left(fields[i].maxLength));
    QCOMPARE(fitted.text("visszaallas"), QStringLiteral("1"));
    QCOMPARE(fitted.texts[phoneslot::phoneIndex(1)].text, QStringLiteral("12345678901234"));
    QCOMPARE(fieldrules::fitted(-1, "whole"), QStringLiteral("whole"));
    QCOMPARE(fieldrules::fitToFields(fitted), fitted);
}

// What the module answers after a download is the fields as they travelled; reading
// that answer gives what readBack() says, for a form with blanks in every place.
void tst_fieldrules::readBackIsWhatAReadoutGives()
{
    FormContent form = FormContent::defaults();
    form.setText("m_nev", "  Kapu  ");
    form.setText("rele_time", "7");
    form.setText("be1_nev", "a b");
    form.setText("r20", "   ");
    for (int slot = 1; slot <= formschema::PhoneCount; slot += 5) {
        form.texts[phoneslot::phoneIndex(slot)].text = QStringLiteral("3630 %1  ").arg(slot);
        phoneslot::Rights rights;
        rights.on[slot % phoneslot::RightCount] = true;
        phoneslot::setRights(form, slot, rights);
    }
    QByteArray answer = "\r\r";
    for (const QString &field : transfer::fields(form))
        answer += field.toLatin1() + '\r';
    answer += 'E';
    const answer::Reading reading = answer::read(answer::normalise(answer::rawText(answer)), FormContent::empty());
    QVERIFY(reading.ok());

    const FormContent back = fieldrules::readBack(form);
    QCOMPARE(reading.content, back);
    QCOMPARE(back.text("m_nev"), QStringLiteral("  Kapu"));
    QCOMPARE(back.text("rele_time"), QStringLiteral("0007"));
    QCOMPARE(back.text("r16"), QString());
    QCOMPARE(back.text("r20"), QString());
    QCOMPARE(back.texts[phoneslot::phoneIndex(6)].text, QStringLiteral("3630 6"));
    QCOMPARE(phoneslot::rightsOf(back, 6), phoneslot::rightsOf(form, 6));
}

QTEST_GUILESS_MAIN(tst_fieldrules)
#include "tst_fieldrules.moc"
