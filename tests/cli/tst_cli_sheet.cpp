// The handover sheet from the real rzm417-cli binary, run without a display, read
// back with pdftotext: every value under the form's labels, the PIN masked unless
// asked for, 64 slots running onto a second page with the table header repeated,
// and no word outside its page or on top of another.
#include "clirun.h"
#include "core/formschema.h"
#include "core/formtexts.h"
#include "core/phoneslot.h"

#include "diskfiles.h"
#include "sampleforms.h"

#include <QDate>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// pdftotext's text of one page (0: all pages), in reading order.
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args{"-layout"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess p;
    p.start("pdftotext", args << pdf << "-");
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word
{
    QString text;
    QRectF box;
};

// Every word with its box, page by page, and each page's size.
QList<QList<Word>> pdfWords(const QString &pdf, QList<QSizeF> *pageSizes)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(20000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<QList<Word>> pages;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.append(QList<Word>());
            pageSizes->append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
        } else {
            const QPointF from(m.captured(3).toDouble(), m.captured(4).toDouble());
            const QPointF to(m.captured(5).toDouble(), m.captured(6).toDouble());
            pages.last().append({m.captured(7), QRectF(from, to)});
        }
    }
    return pages;
}

// A form with all 64 slots in use, 16-character values, and a PIN found nowhere else.
FormContent sheetForm()
{
    FormContent form = fixtures::filledForm();
    form.boxes = fixtures::richForm().boxes; // rights that change from slot to slot
    form.setText("smskp", "36709996500");
    form.setText("rele_time", "12");
    form.setText("m_pin", "7391");
    form.setText("m_nev", "Kapu Garazs WWWW");
    form.setText("ki3_on", "K3 be WWWWWWWWWW");
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot)
        form.texts[phoneslot::phoneIndex(slot)] = QStringLiteral("3620%1").arg(5550000 + slot * 37) + (slot % 5 ? "" : "99");
    return form;
}

} // namespace

class tst_cli_sheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullFormOnTwoPages();
    void pinShownOnlyWhenAsked();
    void nothingOutsideOrOnTopOfAnything();
    void smallFormOnePage();

private:
    QString sheet(const FormContent &form, const QStringList &options = {})
    {
        const QString file = fixtures::writeForm(m_dir, "gate.k83", form);
        const QString pdf = m_dir.filePath("sheet.pdf");
        const CliRun run = runCli(QStringList{"sheet", file, "-o", pdf} + options);
        if (run.code != 0 || !run.err.isEmpty())
            qWarning("sheet: %d %s", run.code, qPrintable(run.err));
        return run.code == 0 ? pdf : QString();
    }
    QTemporaryDir m_dir;
};

void tst_cli_sheet::initTestCase()
{
    // Without a display: the command must not need one.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    QProcess probe;
    probe.start("pdftotext", {"-v"});
    if (!probe.waitForFinished(5000))
        QFAIL("pdftotext (poppler-utils) is missing; scripts/bootstrap installs it");
}

void tst_cli_sheet::fullFormOnTwoPages()
{
    const FormContent form = sheetForm();
    const QString pdf = sheet(form);
    QVERIFY(!pdf.isEmpty());
    const QString all = pdfText(pdf);
    const QString first = pdfText(pdf, 1);
    const QString second = pdfText(pdf, 2);
    QVERIFY(!first.isEmpty() && !second.isEmpty() && pdfText(pdf, 3).isEmpty());

    QVERIFY(all.contains(QDate::currentDate().toString("yyyy.MM.dd.")) && all.contains("gate.k83"));
    // Every named field's label from the form, with its value beside it.
    const QStringList shown{"36709996500 (Vodafone)", "****", "0001", "Kapu Garazs WWWW", "1 (igen)", "Ajto", "Ablak",
                            "12 mp", "K3 be WWWWWWWWWW", "K4 be", "K3 ki", "K4 ki", "Nyitva", "Zarva", "Riaszt", "Rendben"};
    for (int i = 0; i < formschema::MandatoryCount; ++i) {
        const QString label = QString::fromUtf8(formtexts::NamedRows[i].label);
        const QRegularExpression row(QRegularExpression::escape(label) + " +" + QRegularExpression::escape(shown[i]));
        QVERIFY2(first.contains(row), qPrintable(label + " " + shown[i]));
    }
    QVERIFY(!all.contains("7391"));

    // Every slot once, slot 1 on the first page and 64 on the second, the header on both.
    int marks = 0;
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        const QString number = form.texts[phoneslot::phoneIndex(slot)];
        QCOMPARE(all.count(QRegularExpression("\\b" + number + "\\b")), 1);
    }
    QVERIFY(first.contains(form.texts[phoneslot::phoneIndex(1)]) && second.contains(form.texts[phoneslot::phoneIndex(64)]));
    // A mark for every checked box: every slot is in use.
    for (const auto &box : form.boxes)
        marks += box;
    QCOMPARE(all.count(QString::fromUtf8("\u2713")), marks);
    for (const QString &page : {first, second}) {
        for (const char *header : {"Sorszám", "Telefonszám", "Bemenet riasztás", "Kimenet vezérlés"})
            QVERIFY2(page.contains(QString::fromUtf8(header)), header);
    }
}

void tst_cli_sheet::pinShownOnlyWhenAsked()
{
    const QString text = pdfText(sheet(sheetForm(), {"--show-pin"}));
    QVERIFY(text.contains(QRegularExpression("Modul PIN-kód: +7391")));
    QVERIFY(!text.contains("****"));
}

void tst_cli_sheet::nothingOutsideOrOnTopOfAnything()
{
    QList<QSizeF> sizes;
    const auto pages = pdfWords(sheet(sheetForm()), &sizes);
    QCOMPARE(pages.size(), 2);
    for (int p = 0; p < pages.size(); ++p) {
        QCOMPARE(sizes[p], QSizeF(595, 842)); // A4 in points
        const QRectF inside(QPointF(15 / 25.4 * 72 - 1, 15 / 25.4 * 72 - 1), sizes[p] - QSizeF(2 * 15 / 25.4 * 72 - 2, 2 * 15 / 25.4 * 72 - 2));
        const auto &words = pages[p];
        for (int i = 0; i < words.size(); ++i) {
            QVERIFY2(inside.contains(words[i].box), qPrintable(words[i].text));
            for (int j = i + 1; j < words.size(); ++j) {
                const QRectF both = words[i].box.intersected(words[j].box);
                QVERIFY2(both.width() < 0.5 || both.height() < 0.5, qPrintable(words[i].text + " / " + words[j].text));
            }
        }
    }
}

void tst_cli_sheet::smallFormOnePage()
{
    FormContent form = fixtures::filledForm();
    QString text = pdfText(sheet(form));
    QVERIFY(text.contains(QString::fromUtf8("Egyik telefonszám-hely sincs használatban.")));
    QVERIFY(pdfText(m_dir.filePath("sheet.pdf"), 2).isEmpty());
    // A slot with rights but no number is in use too.
    fixtures::boxWithKey(form, "80.2") = true; // slot 40, output 2
    text = pdfText(sheet(form));
    QVERIFY(text.contains(QRegularExpression("\\n +40 +[^\\n]*\u2713")));
}

QTEST_GUILESS_MAIN(tst_cli_sheet)
#include "tst_cli_sheet.moc"
