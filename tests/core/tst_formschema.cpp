#include "core/formcontent.h"
#include "core/formschema.h"

#include <QSet>
#include <QTest>

class tst_FormSchema : public QObject
{
    Q_OBJECT
private slots:
    void textFieldOrder();
    void boxOrderAndNames();
    void groupKeysCoverEveryRecordOnce();
    void groupKeyFollowsPosition_data();
    void groupKeyFollowsPosition();
    void defaults();
};

void tst_FormSchema::textFieldOrder()
{
    const auto &f = formschema::textFields();
    QCOMPARE(f.size(), 92);
    QCOMPARE(f[0].name, QString("smskp"));
    QCOMPARE(f[7].name, QString("rele_time"));
    QCOMPARE(f[15].name, QString("be2_off_msg"));
    QCOMPARE(f[16].name, QString("r16"));
    QCOMPARE(f[27].name, QString("r27"));
    QCOMPARE(f[28].name, QString("t1"));
    QCOMPARE(f[43].name, QString("t16"));
    QCOMPARE(f[44].name, QString("t1_2"));
    QCOMPARE(f[91].name, QString("t16_4"));
    QCOMPARE(f[1].maxLength, 4);
    QCOMPARE(f[4].maxLength, 1);
    QCOMPARE(f[50].maxLength, 14);
    QCOMPARE(f[20].maxLength, 16);
    QCOMPARE(formschema::textIndex("t1_2"), 44);
    QCOMPARE(formschema::textIndex("nope"), -1);
}

void tst_FormSchema::boxOrderAndNames()
{
    const auto &b = formschema::boxes();
    QCOMPARE(b.size(), 256);
    QCOMPARE(b[0].name, QString("tc1_1"));
    QCOMPARE(b[1].name, QString("tc2_1"));
    QCOMPARE(b[4].name, QString("tc4_2"));
    QCOMPARE(b[64].name, QString("tc4_17"));
    QCOMPARE(b[65].name, QString("tc3_17"));
    QCOMPARE(b[66].name, QString("tc4_18"));
    QCOMPARE(b[67].name, QString("tc4_19"));
    QCOMPARE(b[255].name, QString("tc1_64"));
    QSet<QString> names;
    for (const auto &box : b)
        names.insert(box.name);
    QCOMPARE(names.size(), 256);
    // Every column of every block names its boxes 16(b-1)+1 .. 16b.
    for (int c = 1; c <= 4; ++c)
        for (int n = 1; n <= 64; ++n)
            QVERIFY2(names.contains(QStringLiteral("tc%1_%2").arg(c).arg(n)), qPrintable(QString::number(n)));
}

void tst_FormSchema::groupKeysCoverEveryRecordOnce()
{
    QSet<QString> keys;
    const auto &boxes = formschema::boxes();
    for (int k = 0; k < boxes.size(); ++k) {
        keys.insert(boxes[k].group);
        QCOMPARE(boxes[k].group, QStringLiteral("%1.%2").arg(formschema::maskBit(k).record).arg(boxes[k].bit));
        QCOMPARE(formschema::maskBit(k).value, boxes[k].bit == 1 ? 1 : 2);
    }
    QCOMPARE(keys.size(), 256);
    for (int r = 1; r <= 128; ++r)
        for (int bit = 1; bit <= 2; ++bit)
            QVERIFY(keys.contains(QStringLiteral("%1.%2").arg(r).arg(bit)));
    // A read-out sets the boxes record by record, each record's in enumeration order.
    const QList<int> &order = formschema::boxesByRecord();
    QCOMPARE(order.size(), 256);
    for (int n = 0; n < order.size(); ++n)
        QVERIFY(boxes[order[n]].record == n / 2 + 1 && (n % 2 == 0 || order[n] > order[n - 1]));
}

void tst_FormSchema::groupKeyFollowsPosition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::newRow("tc1_1") << "tc1_1" << "1.2";
    QTest::newRow("tc2_1") << "tc2_1" << "1.1";
    QTest::newRow("tc3_1") << "tc3_1" << "2.2";
    QTest::newRow("tc4_1") << "tc4_1" << "2.1";
    QTest::newRow("tc4_5") << "tc4_5" << "10.1";
    QTest::newRow("tc4_17 is row 5 of block 2") << "tc4_17" << "42.1";
    QTest::newRow("tc3_17 is row 14 of block 2") << "tc3_17" << "60.2";
    QTest::newRow("tc1_64 is slot 64") << "tc1_64" << "127.2";
}

void tst_FormSchema::groupKeyFollowsPosition()
{
    QFETCH(QString, name);
    QFETCH(QString, group);
    const auto &boxes = formschema::boxes();
    const auto it = std::find_if(boxes.begin(), boxes.end(), [&](const auto &b) { return b.name == name; });
    QVERIFY(it != boxes.end());
    QCOMPARE(it->group, group);
}

void tst_FormSchema::defaults()
{
    const FormContent form = FormContent::defaults();
    QCOMPARE(form.text("smskp"), QString("36309888000"));
    for (int i = 1; i < 92; ++i)
        QVERIFY(form.texts[i].isEmpty());
    for (bool checked : form.boxes)
        QVERIFY(!checked);
}

QTEST_GUILESS_MAIN(tst_FormSchema)
#include "tst_formschema.moc"
