// Telephone slots as CSV: the export, a round trip, and every row verdict of the import.
#include "core/files/phonecsv.h"
#include "core/formcontent.h"
#include "core/phoneslot.h"

#include <QTest>

namespace {

const QString kHeader = "slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control\n";

FormContent sample()
{
    FormContent form = FormContent::defaults();
    form.setText("t1", "36301112233");
    form.setText("t3", "36 20 1");
    form.setText("t16_4", "36709998877");
    phoneslot::Rights r;
    r.on[phoneslot::Input1Alarm] = true;
    r.on[phoneslot::Output2Control] = true;
    phoneslot::setRights(form, 1, r);
    phoneslot::setRights(form, 64, r);
    return form;
}

} // namespace

class tst_phonecsv : public QObject
{
    Q_OBJECT

private slots:
    void exportRows();
    void roundTrip();
    void editedRowsApply();
    void splitRow_data();
    void splitRow();
    void verdicts_data();
    void verdicts();
    void wholeFileErrors_data();
    void wholeFileErrors();
};

void tst_phonecsv::exportRows()
{
    const QStringList lines = QString::fromUtf8(phonecsv::exportCsv(sample())).split('\n');
    QCOMPARE(lines.size(), 1 + 64 + 1); // header, slots, the empty piece after the last newline
    QCOMPARE(lines[0] + '\n', kHeader);
    QCOMPARE(lines[1], "1,t1,36301112233,1,0,0,1");
    QCOMPARE(lines[3], "3,t3,36 20 1,0,0,0,0");
    QCOMPARE(lines[17], "17,t1_2,,0,0,0,0");
    QCOMPARE(lines[64], "64,t16_4,36709998877,1,0,0,1");
}

void tst_phonecsv::roundTrip()
{
    const FormContent form = sample();
    const auto result = phonecsv::importCsv(QString::fromUtf8(phonecsv::exportCsv(form)), FormContent::defaults());
    QVERIFY(result.ok());
    QCOMPARE(result.rows.size(), 64);
    QCOMPARE(result.form, form);
}

void tst_phonecsv::editedRowsApply()
{
    // CRLF line ends, blank lines, padded cells, quoted number, field column left empty.
    const QString csv = "\r\n" + QString(kHeader).replace("\n", "\r\n")
        + " 2 , , \"36305556677\" ,0,1,1,0\r\n\r\n64,t16_4,,0,0,0,0\r\n";
    const auto result = phonecsv::importCsv(csv, sample());
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.rows.size(), 2);
    QCOMPARE(result.rows[0].line, 3);
    QCOMPARE(result.form.text("t2"), "36305556677");
    phoneslot::Rights two;
    two.on[phoneslot::Input2Alarm] = true;
    two.on[phoneslot::Output1Control] = true;
    QCOMPARE(phoneslot::rightsOf(result.form, 2), two);
    QCOMPARE(result.form.text("t16_4"), "");
    QCOMPARE(phoneslot::rightsOf(result.form, 64), phoneslot::Rights());
    // A spreadsheet's ";" works as well as ",", also after the byte order mark it puts first.
    const QString semicolons = QString(kHeader).replace(',', ';') + "2;;\"36305556677\";0;1;1;0\n64;t16_4;;0;0;0;0\n";
    QCOMPARE(phonecsv::importCsv(semicolons, sample()).form, result.form);
    QCOMPARE(phonecsv::importCsv(QString::fromUtf8("\xEF\xBB\xBF" + semicolons.toUtf8()), sample()).form, result.form);
    // Slots without a row keep their values.
    QCOMPARE(result.form.text("t1"), "36301112233");
    QCOMPARE(phoneslot::rightsOf(result.form, 1), phoneslot::rightsOf(sample(), 1));
}

void tst_phonecsv::splitRow_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("plain") << "1,t1,363" << true << QStringList{"1", "t1", "363"};
    QTest::newRow("empty cells") << ",," << true << QStringList{"", "", ""};
    QTest::newRow("quoted comma") << "\"a,b\",c" << true << QStringList{"a,b", "c"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << true << QStringList{"say \"hi\""};
    QTest::newRow("open quote") << "1,\"363" << false << QStringList{"1", "363"};
}

void tst_phonecsv::splitRow()
{
    QFETCH(QString, line);
    QFETCH(bool, closed);
    QFETCH(QStringList, cells);
    QStringList got;
    QCOMPARE(phonecsv::splitRow(line, &got), closed);
    QCOMPARE(got, cells);
}

void tst_phonecsv::verdicts_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("verdicts");
    QTest::newRow("good") << "5,t5,36301234567,1,1,1,1\n" << QStringList{"line 2 (slot 5): ok"};
    QTest::newRow("bad digits") << "5,t5,+36301234567,0,0,0,0\n"
                                << QStringList{"line 2 (slot 5): bad digits \"+36301234567\""};
    QTest::newRow("too long") << "5,t5,363012345678901,0,0,0,0\n"
                              << QStringList{"line 2 (slot 5): too long (15 > 14)"};
    QTest::newRow("bad digits and too long") << "5,t5,36-3012345678901,0,0,0,0\n"
        << QStringList{"line 2 (slot 5): bad digits \"36-3012345678901\"; too long (16 > 14)"};
    QTest::newRow("unknown slot 0") << "0,,1,0,0,0,0\n" << QStringList{"line 2: unknown slot \"0\""};
    QTest::newRow("unknown slot 65") << "65,,1,0,0,0,0\n" << QStringList{"line 2: unknown slot \"65\""};
    QTest::newRow("slot not a number") << "five,,1,0,0,0,0\n" << QStringList{"line 2: unknown slot \"five\""};
    QTest::newRow("field of another slot") << "5,t6,1,0,0,0,0\n"
        << QStringList{"line 2: unknown slot: field \"t6\" is not slot 5's t5"};
    QTest::newRow("duplicate slot") << "5,,1,0,0,0,0\n5,,2,0,0,0,0\n"
        << QStringList{"line 2 (slot 5): ok", "line 3 (slot 5): duplicate: slot 5 is also on line 2"};
    QTest::newRow("duplicate number in the CSV") << "5,,3630,0,0,0,0\n6,,3630,0,0,0,0\n"
        << QStringList{"line 2 (slot 5): duplicate: number 3630 is also in slot 6",
                       "line 3 (slot 6): duplicate: number 3630 is also in slot 5"};
    QTest::newRow("duplicate of a kept slot") << "9,,36301112233,0,0,0,0\n"
        << QStringList{"line 2 (slot 9): duplicate: number 36301112233 is also in slot 1"};
    QTest::newRow("moving a number is no duplicate") << "1,,,0,0,0,0\n9,,36301112233,0,0,0,0\n"
        << QStringList{"line 2 (slot 1): ok", "line 3 (slot 9): ok"};
    QTest::newRow("bad right") << "5,,1,yes,0,0,2\n"
        << QStringList{"line 2 (slot 5): bad input 1 alarm value \"yes\" (0 or 1); bad output 2 control value \"2\" (0 or 1)"};
    QTest::newRow("cell count") << "5,t5,1,0,0\n" << QStringList{"line 2: 5 cells, expected 7"};
    QTest::newRow("open quote") << "5,t5,\"1,0,0,0,0\n" << QStringList{"line 2: a quote is not closed"};
}

void tst_phonecsv::verdicts()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, verdicts);
    const auto result = phonecsv::importCsv(kHeader + rows, sample());
    QVERIFY(result.error.isEmpty());
    QStringList got;
    bool allGood = true;
    for (const auto &row : result.rows) {
        got.append(phonecsv::formatVerdict(row));
        allGood = allGood && row.ok();
    }
    QCOMPARE(got, verdicts);
    QCOMPARE(result.ok(), allGood);
}

void tst_phonecsv::wholeFileErrors_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << "" << "the CSV is empty";
    QTest::newRow("blank lines") << "\n\r\n \n" << "the CSV is empty";
    QTest::newRow("no header") << "5,t5,1,0,0,0,0\n"
        << "line 1: expected the header slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control";
    QTest::newRow("column renamed") << "slot,field,phone,input1_alarm,input2_alarm,output1_control,output2_control\n"
        << "line 1: expected the header slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control";
}

void tst_phonecsv::wholeFileErrors()
{
    QFETCH(QString, csv);
    QFETCH(QString, error);
    const auto result = phonecsv::importCsv(csv, sample());
    QCOMPARE(result.error, error);
    QVERIFY(!result.ok());
}

QTEST_GUILESS_MAIN(tst_phonecsv)
#include "tst_phonecsv.moc"
