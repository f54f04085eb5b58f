// FormContent + LinkSettings -> transfer text and expected verify text.
//
// Whenever a text is built: its length is the sum of its fields, it travels as
// exactly 92 lines, its checksum follows the rule (worked out here on its own),
// the verify text is the same fields each followed by the separator, and a
// module that stores and returns those fields passes the verify.
#include "core/formcontent.h"
#include "core/linksettings.h"
#include "core/transfer/answer.h"
#include "core/transfer/transfertext.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kFields = 92;

int code(QChar c)
{
    return c.unicode() <= 0xFF ? c.unicode() : 0;
}

// The checksum rule: the sum of every character's code read as a signed byte;
// kinds 0..3 append the remainder (sign of the sum) by 8, 16, 24 or 32, any
// other kind appends itself as one character.
QString expectedChecksum(const QString &text, quint8 kind)
{
    qint64 sum = 0;
    for (QChar c : text)
        sum += static_cast<signed char>(code(c));
    if (kind > 3)
        return QString(QChar(char16_t(kind)));
    const qint64 divisor = 8 * (kind + 1);
    const qint64 rest = sum - (sum / divisor) * divisor;
    return QString::number(rest);
}

FormContent formFrom(FuzzInput &in)
{
    FormContent form;
    for (QString &t : form.texts)
        t = in.text(20);
    for (int k = 0; k < 256; k += 8) {
        const quint8 bits = in.byte();
        for (int j = 0; j < 8; ++j)
            form.boxes[k + j] = bits & (1 << j);
    }
    return form;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    LinkSettings settings;
    settings.downloadSeparator = in.byte();
    settings.checkSize = Checksum::fromByte(in.byte());
    settings.checkValue = static_cast<signed char>(in.byte()) > 0;
    const FormContent form = formFrom(in);
    const QChar separator(char16_t(settings.downloadSeparator));

    const QStringList fields = transfer::fields(form);
    FUZZ_CHECK(fields.size() == kFields);
    qsizetype fieldChars = 0;
    for (const QString &f : fields) {
        FUZZ_CHECK(f.size() >= transfer::FieldWidth);
        fieldChars += f.size();
    }

    const transfer::TextResult download = transfer::buildTransferText(form, settings);
    if (download.ok()) {
        FUZZ_CHECK(download.text.startsWith(fields.join(separator)));
        const QString sum = download.text.mid(fieldChars + kFields - 1);
        FUZZ_CHECK(download.text.size() == fieldChars + kFields - 1 + sum.size());
        if (settings.checkValue)
            FUZZ_CHECK(sum == expectedChecksum(download.text.left(fieldChars + kFields - 1), settings.checkSize.byte()));
        else
            FUZZ_CHECK(sum.isEmpty());
        const QByteArray wire = transfer::lineBytes(download.text, settings.downloadSeparator);
        FUZZ_CHECK(wire.count('\r') == kFields);
        FUZZ_CHECK(wire.size() == download.text.size() + 1);
        FUZZ_CHECK(wire.endsWith('\r'));
    } else {
        FUZZ_CHECK(!download.fieldName.isEmpty());
    }

    const transfer::TextResult verify = transfer::buildVerifyText(form, settings);
    if (!verify.ok()) {
        FUZZ_CHECK(verify.failure == transfer::TextFailure::AccentedCharacter);
        return 0;
    }
    FUZZ_CHECK(verify.text == fields.join(separator) + separator);
    if (download.ok() && !settings.checkValue)
        FUZZ_CHECK(verify.text == download.text + separator);

    // A module that stores these fields answers them, each behind a carriage
    // return, then one last byte; with "|" as separator that must verify. A
    // field that itself holds "|", a carriage return or a byte 255 cannot come
    // back unchanged, and a character beyond Latin-1 cannot travel at all.
    if (settings.downloadSeparator != '|')
        return 0;
    QByteArray answerBytes = "RZM\r\r";
    for (const QString &f : fields) {
        for (QChar c : f) {
            if (c.unicode() > 0xFE || c == QLatin1Char('|') || c == QLatin1Char('\r'))
                return 0;
            answerBytes.append(char(c.unicode()));
        }
        answerBytes.append('\r');
    }
    answerBytes.append('E');
    FUZZ_CHECK(answer::normalise(answer::rawText(answerBytes)) == verify.text);
    return 0;
}
