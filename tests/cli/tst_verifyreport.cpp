// The verify's verdict on a module's answer: the window's whole-text match, and on a
// mismatch each differing field by name. Also the character options of the link.
#include "cli/linkoptions.h"
#include "cli/verifyreport.h"
#include "core/formcontent.h"
#include "core/transfer/transfertext.h"

#include "sampleforms.h"

#include <QCommandLineParser>
#include <QTest>

namespace {

// What the simulated module sends: two carriage returns, the fields each ended by a
// carriage return, one last byte.
QByteArray moduleAnswer(const QStringList &fields)
{
    QByteArray bytes = "\r\r";
    for (const QString &f : fields)
        bytes += f.toLatin1() + '\r';
    return bytes + 'E';
}

} // namespace

class tst_verifyreport : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data();
    void verdicts();
    void characterOptions_data();
    void characterOptions();
};

void tst_verifyreport::verdicts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint8>("separator");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QStringList>("details");

    const FormContent form = fixtures::filledForm(); // rele_time 5 travels as 0005
    const QStringList fields = transfer::fields(form);
    QTest::newRow("match") << moduleAnswer(fields) << quint8('|') << int(cli::VerifyVerdict::Match) << "match" << QStringList();

    QStringList changed = fields;
    changed[3] = QString("Kapu2").leftJustified(16);            // m_nev
    changed[28 + 4] = QString("0236301234").leftJustified(16);   // t5: alarm 0, control 2, a number
    QTest::newRow("fields differ") << moduleAnswer(changed) << quint8('|') << int(cli::VerifyVerdict::Mismatch)
        << "mismatch: 3 difference(s)"
        << QStringList{"m_nev: file \"Kapu\", module \"Kapu2\"",
                       "t5 (slot 5): file \"\", module \"36301234\"",
                       "t5 (slot 5) output 2 control: file off, module on"};

    QStringList rele = fields;
    rele[7] = QString("5").leftJustified(16); // the module kept no leading zeros
    QTest::newRow("rele_time unpadded") << moduleAnswer(rele) << quint8('|') << int(cli::VerifyVerdict::Mismatch)
        << "mismatch: 1 difference(s)" << QStringList{"rele_time: file \"0005\", module \"5\""};

    QStringList mask = fields;
    mask[28] = QString("70").leftJustified(16); // 7 sets both alarm bits
    QTest::newRow("mask digit 7") << moduleAnswer(mask) << quint8('|') << int(cli::VerifyVerdict::Mismatch)
        << "mismatch: 2 difference(s)"
        << QStringList{"t1 (slot 1) input 1 alarm: file off, module on", "t1 (slot 1) input 2 alarm: file off, module on"};

    QTest::newRow("other separator") << moduleAnswer(fields) << quint8('#') << int(cli::VerifyVerdict::Mismatch)
        << "mismatch outside the field values (separators or mask digits)"
        << QStringList{"the texts part at character 17: expected \"000     #1234           \", "
                       "module \"000     |1234           \""};

    QTest::newRow("no answer") << QByteArray() << quint8('|') << int(cli::VerifyVerdict::NoAnswer)
                               << "mismatch: no answer" << QStringList();
    QTest::newRow("a field short") << moduleAnswer(fields.mid(1)) << quint8('|') << int(cli::VerifyVerdict::Unreadable)
        << "mismatch: the answer cannot be read (91 fields, expected 92)" << QStringList();
    QTest::newRow("noise") << QByteArray("xyzzy") << quint8('|') << int(cli::VerifyVerdict::Unreadable)
        << "mismatch: the answer cannot be read (no field separator in 4 characters)" << QStringList();
}

void tst_verifyreport::verdicts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint8, separator);
    QFETCH(int, kind);
    QFETCH(QString, summary);
    QFETCH(QStringList, details);
    const FormContent form = fixtures::filledForm();
    LinkSettings settings;
    settings.downloadSeparator = separator;
    const auto expected = transfer::buildVerifyText(form, settings);
    QVERIFY(expected.ok());
    const auto verdict = cli::judgeAnswer(form, expected.text, bytes);
    QCOMPARE(verdict.summary, summary);
    QCOMPARE(int(verdict.kind), kind);
    QCOMPARE(verdict.details, details);
}

void tst_verifyreport::characterOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("separator");
    QTest::addColumn<int>("checkValue");
    QTest::addColumn<int>("checkSize");
    QTest::newRow("defaults") << QStringList{} << true << int('|') << 0 << 0;
    QTest::newRow("character") << QStringList{"--separator", "#"} << true << int('#') << 0 << 0;
    QTest::newRow("decimal code") << QStringList{"--separator", "13"} << true << 13 << 0 << 0;
    QTest::newRow("Latin-1 character") << QStringList{"--separator", "¤"} << true << 164 << 0 << 0;
    QTest::newRow("beyond Latin-1") << QStringList{"--separator", "ő"} << false << 0 << 0 << 0;
    QTest::newRow("code too big") << QStringList{"--separator", "256"} << false << 0 << 0 << 0;
    QTest::newRow("sum 32") << QStringList{"--checksum", "32"} << true << int('|') << 1 << 3;
    QTest::newRow("fixed") << QStringList{"--check-char", "#"} << true << int('|') << 1 << int('#');
    QTest::newRow("fixed code 2 is a sum kind") << QStringList{"--check-char", "0x02"} << false << 0 << 0 << 0;
    QTest::newRow("both") << QStringList{"--checksum", "8", "--check-char", "#"} << false << 0 << 0 << 0;
}

void tst_verifyreport::characterOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(int, separator);
    QFETCH(int, checkValue);
    QFETCH(int, checkSize);
    QCommandLineParser parser;
    cli::addFramingOptions(parser);
    QVERIFY(parser.parse(QStringList{"rzm417-cli"} + arguments));
    LinkSettings settings;
    QString error;
    QCOMPARE(cli::readLinkOptions(parser, &settings, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    if (!ok)
        return;
    QCOMPARE(int(settings.downloadSeparator), separator);
    QCOMPARE(int(settings.checkValue), checkValue);
    QCOMPARE(int(settings.checkSize.byte()), checkSize);
}

QTEST_GUILESS_MAIN(tst_verifyreport)
#include "tst_verifyreport.moc"
