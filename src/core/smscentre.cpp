#include "smscentre.h"

namespace smscentre {
namespace {
// The names are shown on the form (UTF-8), marked for the core's translation context.
struct Entry { const char *name; const char *number; };
constexpr Entry kEntries[] = {
    {QT_TRANSLATE_NOOP("CoreTexts", "T-Mobile"), "36309888000"},
    {QT_TRANSLATE_NOOP("CoreTexts", "Telenor"), "36209300099"},
    {QT_TRANSLATE_NOOP("CoreTexts", "Vodafone"), "36709996500"},
    {QT_TRANSLATE_NOOP("CoreTexts", "Egyéni"), ""},
};
} // namespace

QString operatorName(int index)
{
    return QString::fromUtf8(operatorNameSource(index));
}

const char *operatorNameSource(int index)
{
    return index >= 0 && index <= CustomIndex ? kEntries[index].name : "";
}

QString number(int index)
{
    return index >= 0 && index < CustomIndex ? QString::fromLatin1(kEntries[index].number) : QString();
}

int indexForNumber(const QString &text)
{
    for (int i = 0; i < CustomIndex; ++i)
        if (text == QLatin1String(kEntries[i].number))
            return i;
    return CustomIndex;
}

} // namespace smscentre
