#include "core/formcontent.h"
#include "core/formschema.h"
#include "core/transfer/answer.h"
#include "testseed.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <bit>

namespace {

bool boxChecked(const FormContent &form, int record, int bit)
{
    return form.boxes[formschema::boxIndex(record, bit)];
}

// The items of an answer as the module lays them out: 92 fields, 16 wide,
// each followed by a separator.
QString answerOf(const QStringList &fields)
{
    QString text;
    for (const QString &f : fields)
        text += f.leftJustified(16) + QLatin1Char('|');
    return text;
}

QStringList emptyFields()
{
    QStringList fields;
    for (int i = 0; i < formschema::HeaderCount; ++i)
        fields << QString();
    for (int p = 0; p < formschema::PhoneCount; ++p)
        fields << QStringLiteral("00");
    return fields;
}

} // namespace

class tst_Answer : public QObject
{
    Q_OBJECT
private slots:
    void rawText();
    void normalise_data();
    void normalise();
    void items_data();
    void items();
    void failures_data();
    void failures();
    void maskDigits_data();
    void maskDigits();
    void lastSlotUsesLastRecords();
    void readsWholeAnswer();
    void anyBytesEndInOneOutcome();
};

void tst_Answer::rawText()
{
    const QByteArray bytes("a\r|\x00\xE9\xFF\n", 7);
    const QString expected = QStringLiteral("a||") + QChar(0) + QChar(0xE9) + QChar(0xFF) + QChar('\n');
    QCOMPARE(answer::rawText(bytes), expected);
    QCOMPARE(answer::rawText(QByteArray()), QString());
}

void tst_Answer::normalise_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");

    const QChar ff(0xFF);
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one byte") << "X" << "";
    QTest::newRow("last byte dropped") << "a|b|X" << "a|b|";
    QTest::newRow("preamble dropped") << "junk||a|b|X" << "a|b|";
    QTest::newRow("only at the end stays") << "a|b||X" << "a|b||";
    QTest::newRow("last pair counts") << "p||q||a|X" << "a|";
    QTest::newRow("triple separator") << "ab|||cdX" << "cd";
    QTest::newRow("pair made by the dropped byte") << "a|b||" << "a|b|";
    QTest::newRow("empty field mid-answer") << "a||b|X" << "b|";
    QTest::newRow("bare pair") << "||X" << "||";
    QTest::newRow("255 read as space") << QString(ff) + ff + "|" + ff + "X" << "  | ";
    QTest::newRow("255 kept out of the pair rule") << QString("a") + ff + ff + "|X" << "a  |";
}

void tst_Answer::normalise()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    QCOMPARE(answer::normalise(raw), expected);
}

void tst_Answer::items_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain") << "a|b|" << QStringList{"a", "b"};
    QTest::newRow("leading separator") << "|a|b|" << QStringList{"a", "b"};
    QTest::newRow("trailing spaces trimmed") << "Kapu            |" << QStringList{"Kapu"};
    QTest::newRow("spaces only stays empty") << "                |x|" << QStringList{"", "x"};
    QTest::newRow("leading and inner spaces stay") << "  a b  |" << QStringList{"  a b"};
    QTest::newRow("only spaces are trimmed") << "a\t \t |" << QStringList{"a\t \t"};
    QTest::newRow("no separator") << "abc" << QStringList{"abc"};
    QTest::newRow("last piece without separator") << "a|b" << QStringList{"a", "b"};
    QTest::newRow("nothing") << "" << QStringList{};
}

void tst_Answer::items()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(answer::items(text), expected);
}

void tst_Answer::failures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("diagnostic");

    const QStringList fields = emptyFields();
    QTest::newRow("no answer") << "" << int(answer::Failure::NoSeparator) << "sep error";
    QTest::newRow("no separator") << "x" + QString(1562, 'a') << int(answer::Failure::NoSeparator) << "sep error";
    QTest::newRow("91 items") << answerOf(fields.mid(1)) << int(answer::Failure::ItemCount) << "dberror 91 92";
    QTest::newRow("93 items") << answerOf(fields + QStringList{"x"}) << int(answer::Failure::ItemCount)
                              << "dberror 93 92";
}

void tst_Answer::failures()
{
    QFETCH(QString, text);
    QFETCH(int, failure);
    QFETCH(QString, diagnostic);

    const answer::Reading reading = answer::read(text);
    QCOMPARE(int(reading.failure), failure);
    QCOMPARE(reading.diagnostic, diagnostic);
    QCOMPARE(reading.ok(), failure == int(answer::Failure::None));
}

void tst_Answer::maskDigits_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<int>("alarmBits");   // bit 1 -> 1, bit 2 -> 2 of record 1
    QTest::addColumn<int>("controlBits"); // the same of record 2

    QTest::newRow("0 0") << "0036301234567" << "36301234567" << 0 << 0;
    QTest::newRow("1 3") << "1336301234567" << "36301234567" << 1 << 3;
    QTest::newRow("2 1") << "21123" << "123" << 2 << 1;
    QTest::newRow("3 2") << "32" << "" << 3 << 2;
    QTest::newRow("7 7") << "775" << "5" << 3 << 3;
    QTest::newRow("letter") << "a3123" << "123" << 0 << 3;
    QTest::newRow("space") << " 2123" << "123" << 0 << 2;
    QTest::newRow("one character") << "1" << "" << 1 << 0;
    QTest::newRow("zeros and spaces") << "00              " << "" << 0 << 0;
    QTest::newRow("8 and 9") << "89" << "" << 0 << 1;
    QTest::newRow("inner space kept") << "1136 30" << "36 30" << 1 << 1;
}

void tst_Answer::maskDigits()
{
    QFETCH(QString, item);
    QFETCH(QString, phone);
    QFETCH(int, alarmBits);
    QFETCH(int, controlBits);

    QStringList fields = emptyFields();
    fields[formschema::HeaderCount] = item;

    const answer::Reading reading = answer::read(answerOf(fields));
    QVERIFY(reading.ok());
    QCOMPARE(reading.content.text("t1"), phone);
    QCOMPARE(boxChecked(reading.content, 1, 1), bool(alarmBits & 1));
    QCOMPARE(boxChecked(reading.content, 1, 2), bool(alarmBits & 2));
    QCOMPARE(boxChecked(reading.content, 2, 1), bool(controlBits & 1));
    QCOMPARE(boxChecked(reading.content, 2, 2), bool(controlBits & 2));
    const int checked = int(reading.content.boxes.count(true));
    QCOMPARE(checked, std::popcount(unsigned(alarmBits)) + std::popcount(unsigned(controlBits)));
}

void tst_Answer::lastSlotUsesLastRecords()
{
    QStringList fields = emptyFields();
    fields.last() = QStringLiteral("12987");
    const answer::Reading reading = answer::read(answerOf(fields));
    QVERIFY(reading.ok());
    QCOMPARE(reading.content.text("t16_4"), QStringLiteral("987"));
    QVERIFY(boxChecked(reading.content, 127, 1));
    QVERIFY(!boxChecked(reading.content, 127, 2));
    QVERIFY(!boxChecked(reading.content, 128, 1));
    QVERIFY(boxChecked(reading.content, 128, 2));
}

void tst_Answer::readsWholeAnswer()
{
    // A preamble, fields padded with spaces and 255, carriage returns as separators.
    QStringList fields = emptyFields();
    fields[formschema::textIndex("smskp")] = "36709996500";
    fields[formschema::textIndex("m_pin")] = "123456";
    fields[formschema::textIndex("m_nev")] = "  Kapu";
    fields[formschema::textIndex("rele_time")] = "0005";
    fields[formschema::textIndex("t1_2")] = "1236201112222";
    QByteArray bytes("\x05preamble\r\r");
    for (int i = 0; i < fields.size(); ++i) {
        QByteArray field = fields[i].toLatin1();
        field.append(QByteArray(16 - field.size(), i == 1 ? '\xFF' : ' '));
        bytes += field + (i % 2 ? '\r' : '|');
    }
    bytes += 'Z';

    const answer::Reading reading = answer::read(answer::normalise(answer::rawText(bytes)));
    QVERIFY2(reading.ok(), qPrintable(reading.diagnostic));
    for (int i = 0; i < fields.size(); ++i) {
        const QString expected = i < formschema::HeaderCount ? fields[i] : fields[i].mid(2);
        QCOMPARE(reading.content.texts[i], expected);
    }
    // slot 17 (t1_2): records 33 and 34
    QVERIFY(boxChecked(reading.content, 33, 1));
    QVERIFY(!boxChecked(reading.content, 33, 2));
    QVERIFY(!boxChecked(reading.content, 34, 1));
    QVERIFY(boxChecked(reading.content, 34, 2));
}

void tst_Answer::anyBytesEndInOneOutcome()
{
    // Noise shaped like answers: field-like runs with separators, 255, short and
    // long fields, around the expected count.
    QRandomGenerator random(fixtures::testSeed(417));
    int read = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int fields = 88 + random.bounded(9);
        for (int f = 0; f < fields; ++f) {
            const int width = random.bounded(4) == 0 ? random.bounded(20) : 16;
            for (int b = 0; b < width; ++b) {
                const int pick = random.bounded(10);
                bytes.append(pick == 0 ? char(0xFF) : pick == 1 ? char(random.bounded(256)) : char('0' + random.bounded(10)));
            }
            bytes.append(random.bounded(2) ? '\r' : '|');
        }
        bytes.append(char(random.bounded(256)));
        const answer::Reading reading = answer::read(answer::normalise(answer::rawText(bytes)));
        if (!reading.ok())
            continue;
        ++read;
        for (const auto &text : reading.content.texts)
            QVERIFY(!text.endsWith(QLatin1Char(' ')) && !text.contains(QLatin1Char('|')));
    }
    QVERIFY(read > 0); // the noise must reach the end of the rules too
}

QTEST_GUILESS_MAIN(tst_Answer)
#include "tst_answer.moc"
