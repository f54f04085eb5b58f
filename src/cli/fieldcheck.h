#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything the window would refuse in a configuration, listed at once: the
// input checks and the download checks, field by field, not just the first.
namespace cli {

struct Finding
{
    enum Kind { Cut, Input, Download };
    Kind kind = Input;
    QString field;   // object name, or "checksum"
    QString message;
    bool refuses() const { return kind != Cut; }
};

// Texts that the window would cut on loading (compared with their field's length).
QList<Finding> cutFindings(const FormContent &loaded);
// Every field the input checks refuse.
QList<Finding> inputFindings(const FormContent &form);
// Every field the download checks refuse, with the given framing settings.
QList<Finding> downloadFindings(const FormContent &form, const LinkSettings &settings);

// "m_pin: input check: Only numbers."
QString formatFinding(const Finding &finding);

} // namespace cli
