// Module answer bytes -> answer text -> FormContent, or a failure.
//
// Whatever a module sends, reading its answer either fails with a reason or
// yields a whole form with the field set it was given; and a form that was read
// reads back the same from the answer a module would send for it.
#include "core/formcontent.h"
#include "core/transfer/answer.h"
#include "fuzzcheck.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// What a module storing `content` answers (after normalisation): every field
// padded to 16 and followed by a separator, each telephone field led by the
// mask digits of its two records.
QString answerFor(const FormContent &content)
{
    const int phones = 64;
    const int headers = int(content.texts.size()) - phones;
    QList<int> masks(2 * phones + 1, 0);
    for (const auto &box : content.boxes) {
        const QStringList key = box.group.split(QLatin1Char('.'));
        const int record = key.first().toInt();
        const int bit = key.last().toInt();
        if (box.checked && record >= 1 && record <= 2 * phones)
            masks[record] |= bit;
    }
    QString text;
    for (int i = 0; i < int(content.texts.size()); ++i) {
        QString field = content.texts[i].text;
        if (i >= headers) {
            const int slot = i - headers + 1;
            field = QString::number(masks[2 * slot - 1]) + QString::number(masks[2 * slot]) + field;
        }
        text += field.leftJustified(16, QLatin1Char(' ')) + QLatin1Char('|');
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const FormContent current = FormContent::defaults();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<qsizetype>(size));
    const QString raw = answer::rawText(bytes);
    FUZZ_CHECK(raw.size() == bytes.size());
    const QString text = answer::normalise(raw);
    FUZZ_CHECK(text.size() <= std::max<qsizetype>(0, raw.size() - 1));
    FUZZ_CHECK(!text.contains(QChar(0xFF)));

    const answer::Reading reading = answer::read(text, current);
    if (!reading.ok()) {
        if (reading.failure == answer::Failure::NoSeparator)
            FUZZ_CHECK(!text.contains(QLatin1Char('|')) && reading.diagnostic == u"sep error");
        if (reading.failure == answer::Failure::ItemCount)
            FUZZ_CHECK(reading.diagnostic.startsWith(u"dberror "));
        return 0;
    }

    // A whole form: the same names and keys, every box set exactly once.
    const FormContent &got = reading.content;
    FUZZ_CHECK(got.texts.size() == current.texts.size());
    FUZZ_CHECK(got.boxes.size() == current.boxes.size());
    for (qsizetype i = 0; i < got.texts.size(); ++i) {
        FUZZ_CHECK(got.texts[i].name == current.texts[i].name);
        FUZZ_CHECK(!got.texts[i].text.contains(QLatin1Char('|')));
        FUZZ_CHECK(!got.texts[i].text.endsWith(QLatin1Char(' ')));
    }
    for (qsizetype k = 0; k < got.boxes.size(); ++k)
        FUZZ_CHECK(got.boxes[k].name == current.boxes[k].name && got.boxes[k].group == current.boxes[k].group);
    QList<int> order = reading.boxOrder;
    std::sort(order.begin(), order.end());
    FUZZ_CHECK(order.size() == current.boxes.size());
    for (int k = 0; k < order.size(); ++k)
        FUZZ_CHECK(order[k] == k);

    // The answer of a module that holds this form reads back into the same form.
    const answer::Reading again = answer::read(answerFor(got), current);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.content == got);
    return 0;
}
