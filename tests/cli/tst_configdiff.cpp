// The field-by-field comparison behind diff and verify, and the slot rights it names.
#include "cli/configdiff.h"
#include "core/formcontent.h"
#include "core/formschema.h"
#include "core/phoneslot.h"
#include "sampleforms.h"

#include <QTest>

class tst_configdiff : public QObject
{
    Q_OBJECT

private slots:
    void rightsFollowGroupKeys_data();
    void rightsFollowGroupKeys();
    void differences_data();
    void differences();
    void quoting_data();
    void quoting();
};

void tst_configdiff::rightsFollowGroupKeys_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("right");
    QTest::newRow("slot 1 alarm bit 1") << 1 << "1.1" << int(phoneslot::Input1Alarm);
    QTest::newRow("slot 1 alarm bit 2") << 1 << "1.2" << int(phoneslot::Input2Alarm);
    QTest::newRow("slot 1 control bit 1") << 1 << "2.1" << int(phoneslot::Output1Control);
    QTest::newRow("slot 1 control bit 2") << 1 << "2.2" << int(phoneslot::Output2Control);
    QTest::newRow("slot 17 control bit 2") << 17 << "34.2" << int(phoneslot::Output2Control);
    QTest::newRow("slot 64 alarm bit 1") << 64 << "127.1" << int(phoneslot::Input1Alarm);
    QTest::newRow("slot 64 control bit 1") << 64 << "128.1" << int(phoneslot::Output1Control);
}

void tst_configdiff::rightsFollowGroupKeys()
{
    QFETCH(int, slot);
    QFETCH(QString, group);
    QFETCH(int, right);
    FormContent form;
    fixtures::boxWithKey(form, group) = true;
    phoneslot::Rights expected;
    expected.on[right] = true;
    QCOMPARE(phoneslot::rightsOf(form, slot), expected);
    // No other slot sees it.
    QCOMPARE(phoneslot::rightsOf(form, slot == 64 ? 63 : slot + 1), phoneslot::Rights());
}

void tst_configdiff::differences_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("valueB");
    QTest::addColumn<QString>("boxGroup"); // box checked in B only
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("header text") << "m_nev" << "Garázs" << ""
                                 << QStringList{"m_nev: A \"Kapu\", B \"Garázs\""};
    QTest::newRow("reserved text") << "r27" << "x" << "" << QStringList{"r27: A \"\", B \"x\""};
    QTest::newRow("phone number") << "t1_2" << "36301112233" << ""
                                  << QStringList{"t1_2 (slot 17): A \"\", B \"36301112233\""};
    QTest::newRow("one right") << "" << "" << "34.2"
                               << QStringList{"t1_2 (slot 17) output 2 control: A off, B on"};
    QTest::newRow("number and right") << "t16_4" << "1" << "127.2"
                                      << QStringList{"t16_4 (slot 64): A \"\", B \"1\"",
                                                     "t16_4 (slot 64) input 2 alarm: A off, B on"};
}

void tst_configdiff::differences()
{
    QFETCH(QString, field);
    QFETCH(QString, valueB);
    QFETCH(QString, boxGroup);
    QFETCH(QStringList, lines);
    FormContent a;
    a.setText("m_nev", "Kapu");
    FormContent b = a;
    if (!field.isEmpty())
        b.setText(field, valueB);
    if (!boxGroup.isEmpty())
        fixtures::boxWithKey(b, boxGroup) = true;
    const auto list = cli::compare(a, b);
    QCOMPARE(cli::formatDifferences(list, "A", "B"), lines);
    // Swapping the sides swaps the values, never the set of fields.
    QCOMPARE(cli::compare(b, a).size(), list.size());
}

void tst_configdiff::quoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Kapu 1" << "\"Kapu 1\"";
    QTest::newRow("quote and backslash") << "a\"b\\c" << "\"a\\\"b\\\\c\"";
    QTest::newRow("carriage return") << "a\rb" << "\"a\\x0db\"";
    QTest::newRow("accented stays") << "é" << "\"é\"";
    QTest::newRow("C1 control") << QString(QChar(0x85)) << "\"\\x85\"";
}

void tst_configdiff::quoting()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(cli::quoted(text), shown);
}

QTEST_GUILESS_MAIN(tst_configdiff)
#include "tst_configdiff.moc"
