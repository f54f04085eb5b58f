#include "core/formcontent.h"
#include "core/inputrules.h"

#include <QTest>

using inputrules::Violation;

class tst_InputRules : public QObject
{
    Q_OBJECT
private slots:
    void singleField_data();
    void singleField();
    void firstOffenderOnly();
    void allViolationsListsEvery();
};

void tst_InputRules::singleField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: passes

    const QString digits = "Only numbers.";
    const QString seven = "Only numbers and characters. (7-bit ascii)\n";
    const QString restore = "The value is only 1 or 0.";
    const QString phone = "Telephone number: only numbers.";

    QTest::newRow("pin with letter") << "m_pin" << "12a4" << digits;
    QTest::newRow("pin with blank passes") << "m_pin" << "12 4" << "";
    QTest::newRow("id with minus") << "m_id" << "-1" << digits;
    QTest::newRow("rele_time digits") << "rele_time" << "0005" << "";
    QTest::newRow("smskp plus sign") << "smskp" << "+3630" << digits;
    QTest::newRow("smskp chinese") << "smskp" << QString::fromUtf8("36中") << digits;
    QTest::newRow("name accented") << "m_nev" << QString::fromUtf8("Kapá") << seven;
    QTest::newRow("name plain punctuation") << "m_nev" << "Kapu-1 #2 (x)!" << "";
    QTest::newRow("name emoji") << "be1_nev" << QString::fromUtf8("a😀") << seven;
    QTest::newRow("name chinese") << "ki3_on" << QString::fromUtf8("开") << seven;
    QTest::newRow("name DEL passes") << "ki4_off" << QString(QChar(127)) << "";
    QTest::newRow("name nbsp") << "be2_off_msg" << QString(QChar(0xA0)) << seven;
    QTest::newRow("name currency sign") << "be2_on_msg" << QString(QChar(0xA4)) << seven;
    QTest::newRow("visszaallas 2") << "visszaallas" << "2" << restore;
    QTest::newRow("visszaallas 1") << "visszaallas" << "1" << "";
    QTest::newRow("visszaallas 0") << "visszaallas" << "0" << "";
    QTest::newRow("visszaallas accented is 7-bit first") << "visszaallas" << QString::fromUtf8("á") << seven;
    QTest::newRow("phone plus") << "t5" << "+36301234567" << phone;
    QTest::newRow("phone last slot letter") << "t16_4" << "123x" << phone;
    QTest::newRow("phone digits and blanks") << "t1_3" << "36 30 123" << "";
    QTest::newRow("phone emoji") << "t1" << QString::fromUtf8("😀") << phone;
    QTest::newRow("reserved anything") << "r16" << QString::fromUtf8("ő+?中") << "";
    QTest::newRow("reserved last") << "r27" << "abc" << "";
}

void tst_InputRules::singleField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    FormContent form = FormContent::defaults();
    form.setText(field, text);
    const auto v = inputrules::firstViolation(form);
    if (message.isEmpty()) {
        QVERIFY2(!v, v ? qPrintable(v->message) : "");
    } else {
        QVERIFY(v);
        QCOMPARE(v->index, formschema::textIndex(field));
        QCOMPARE(v->message, message);
    }
}

void tst_InputRules::firstOffenderOnly()
{
    FormContent form = FormContent::defaults();
    form.setText("m_id", "x");
    form.setText("t5", "y");
    auto v = inputrules::firstViolation(form);
    QVERIFY(v);
    QCOMPARE(v->index, 2);
    form.texts[v->index].clear();
    v = inputrules::firstViolation(form);
    QVERIFY(v);
    QCOMPARE(v->index, formschema::textIndex("t5"));
    QCOMPARE(v->message, QString("Telephone number: only numbers."));
}

void tst_InputRules::allViolationsListsEvery()
{
    FormContent form = FormContent::defaults();
    form.setText("m_id", "x");
    form.setText("visszaallas", "7");
    form.setText("r20", "ő");
    form.setText("t16_4", "+");
    const auto all = inputrules::allViolations(form);
    QCOMPARE(all.size(), 3);
    QCOMPARE(all[0].index, 2);
    QCOMPARE(all[1].index, 4);
    QCOMPARE(all[2].index, 91);
}

QTEST_GUILESS_MAIN(tst_InputRules)
#include "tst_inputrules.moc"
