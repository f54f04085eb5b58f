// Configuration-file bytes -> lines -> FormContent, or a refusal.
//
// Whatever the bytes, reading must stop early once a file is too long to be
// accepted, a refused file must leave the form as it was, and an accepted one
// must save to bytes that load back into the same form.
#include "core/files/configfile.h"
#include "core/formcontent.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QLatin1StringView>

#include <cstddef>
#include <cstdint>

namespace {

// Texts that a saved file cannot carry unchanged: a line end splits the line,
// and a line "---" ends the file early. The file format has always had these.
bool savesFaithfully(const FormContent &content)
{
    if (configfile::endMarkerText(content) >= 0)
        return false;
    for (const QString &t : content.texts)
        if (t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r')))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<qsizetype>(size));
    const QStringList lines = configfile::readLines(bytes);
    FUZZ_CHECK(!lines.isEmpty());
    FUZZ_CHECK(lines.size() <= configfile::LineCount + 1);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        FUZZ_CHECK(lines[i] != QLatin1StringView(configfile::EndMarker));

    static const FormContent before = FormContent::defaults();
    FormContent content = before;
    if (!configfile::decode(lines, content)) {
        FUZZ_CHECK(lines.size() != configfile::LineCount);
        FUZZ_CHECK(content == before);
        return 0;
    }
    FUZZ_CHECK(lines.size() == configfile::LineCount);
    for (int i = 0; i < 92; ++i)
        FUZZ_CHECK(content.texts[i] == lines[i]);
    for (int k = 0; k < 256; ++k)
        FUZZ_CHECK(content.boxes[k] == (lines[92 + k] == QLatin1StringView("1")));

    if (savesFaithfully(content)) {
        FormContent again = before;
        FUZZ_CHECK(configfile::decode(configfile::readLines(configfile::encode(content)), again));
        FUZZ_CHECK(again == content);
    }
    return 0;
}
