// Module answer bytes -> answer text -> FormContent, or a failure.
//
// Whatever a module sends, reading its answer either fails with a reason or
// yields a form; and a form that was read reads back the same from the answer a
// module would send for it.
#include "core/formcontent.h"
#include "core/formschema.h"
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
    const int headers = 28;
    QList<int> masks(2 * 64 + 1, 0);
    for (int k = 0; k < 256; ++k) {
        const auto &box = formschema::boxes()[k];
        if (content.boxes[k])
            masks[box.record] |= 1 << (box.bit - 1);
    }
    QString text;
    for (int i = 0; i < 92; ++i) {
        QString field = content.texts[i];
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
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<qsizetype>(size));
    const QString raw = answer::rawText(bytes);
    FUZZ_CHECK(raw.size() == bytes.size());
    const QString text = answer::normalise(raw);
    FUZZ_CHECK(text.size() <= std::max<qsizetype>(0, raw.size() - 1));
    FUZZ_CHECK(!text.contains(QChar(0xFF)));

    const answer::Reading reading = answer::read(text);
    if (!reading.ok()) {
        if (reading.failure == answer::Failure::NoSeparator)
            FUZZ_CHECK(!text.contains(QLatin1Char('|')) && reading.diagnostic == u"sep error");
        if (reading.failure == answer::Failure::ItemCount)
            FUZZ_CHECK(reading.diagnostic.startsWith(u"dberror "));
        return 0;
    }

    // Every text an item without a separator or trailing blanks.
    const FormContent &got = reading.content;
    for (const QString &t : got.texts)
        FUZZ_CHECK(!t.contains(QLatin1Char('|')) && !t.endsWith(QLatin1Char(' ')));

    // The answer of a module that holds this form reads back into the same form.
    const answer::Reading again = answer::read(answerFor(got));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.content == got);
    return 0;
}
