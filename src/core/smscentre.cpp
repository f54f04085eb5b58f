#include "smscentre.h"

namespace smscentre {
namespace {
struct Entry { const char16_t *name; const char *number; };
constexpr Entry kEntries[] = {
    {u"T-Mobile", "36309888000"},
    {u"Telenor", "36209300099"},
    {u"Vodafone", "36709996500"},
    {u"Egyéni", ""},
};
} // namespace

QString operatorName(int index)
{
    return index >= 0 && index <= CustomIndex ? QString::fromUtf16(kEntries[index].name) : QString();
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
