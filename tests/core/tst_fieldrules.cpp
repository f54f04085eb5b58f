// The rules the window, the command-line tool and the tests share about a form's
// texts: the cut to a field's length, the read-back.
#include "core/fieldrules.h"
#include "core/formschema.h"
#include "core/phoneslot.h"
#include "core/transfer/answer.h"
#include "core/transfer/transfertext.h"

#include <QTest>

class tst_fieldrules : public QObject
{
    Q_OBJECT

private slots:
    void textsAreCutToTheirFields();
    void readBackIsWhatAReadoutGives();
};

void tst_fieldrules::textsAreCutToTheirFields()
{
    FormContent form;
    for (auto &t : form.texts)
        t = QStringLiteral("12345678901234567890");
    const FormContent fitted = fieldrules::fitToFields(form);
    const auto &fields = formschema::textFields();
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fitted.texts[i], form.texts[i].left(fields[i].maxLength));
    QCOMPARE(fitted.text("visszaallas"), QStringLiteral("1"));
    QCOMPARE(fitted.texts[phoneslot::phoneIndex(1)], QStringLiteral("12345678901234"));
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
        form.texts[phoneslot::phoneIndex(slot)] = QStringLiteral("3630 %1  ").arg(slot);
        phoneslot::Rights rights;
        rights.on[slot % phoneslot::RightCount] = true;
        phoneslot::setRights(form, slot, rights);
    }
    QByteArray answer = "\r\r";
    for (const QString &field : transfer::fields(form))
        answer += field.toLatin1() + '\r';
    answer += 'E';
    const answer::Reading reading = answer::read(answer::normalise(answer::rawText(answer)));
    QVERIFY(reading.ok());

    const FormContent back = fieldrules::readBack(form);
    QCOMPARE(reading.content, back);
    QCOMPARE(back.text("m_nev"), QStringLiteral("  Kapu"));
    QCOMPARE(back.text("rele_time"), QStringLiteral("0007"));
    QCOMPARE(back.text("r16"), QString());
    QCOMPARE(back.text("r20"), QString());
    QCOMPARE(back.texts[phoneslot::phoneIndex(6)], QStringLiteral("3630 6"));
    QCOMPARE(phoneslot::rightsOf(back, 6), phoneslot::rightsOf(form, 6));
}

QTEST_GUILESS_MAIN(tst_fieldrules)
#include "tst_fieldrules.moc"
