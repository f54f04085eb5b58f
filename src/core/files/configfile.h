#pragma once

#include "core/formcontent.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The configuration file: one value per line, every line ended by CR LF, in the
// platform's local 8-bit encoding. First the 92 texts in enumeration order, then
// "1" or "0" for each of the 256 boxes. Nothing else: no header, no count.
//
// The reader keeps the rules that files in the field were written against: a
// line "---" ends the file early, the count must be exactly 348, and only the
// exact line "1" checks a box.
namespace configfile {

constexpr int LineCount = formschema::TextCount + formschema::BoxCount; // 348
inline constexpr char EndMarker[] = "---";

// The bytes of a saved form.
QByteArray encode(const FormContent &content);

// The lines as a text stream reads them (line ends removed), stopping after a
// line "---". Reading gives up early once the count is past LineCount, since
// such a file is refused anyway. An empty input gives one empty line.
QStringList readLines(QIODevice &device);
QStringList readLines(const QByteArray &bytes);

// A form from exactly LineCount lines. False when the count is wrong; `content`
// is then left as it was.
bool decode(const QStringList &lines, FormContent &content);

// The index of the first text that would end a saved file early, or -1.
int endMarkerText(const FormContent &content);

// The index of the first text holding a carriage return or a line feed, or -1.
// Such a text would take more than one line, in a file as on the serial line.
int lineBreakText(const FormContent &content);

// What the status bar shows for a file: base name, a point, complete suffix.
QString displayName(const QString &path);

// Writes the form atomically: either the whole new file is in place or any
// existing file is left untouched. On failure returns false and sets `error`.
bool save(const QString &path, const FormContent &content, QString *error);

enum class LoadStatus { Loaded, Missing, BadLineCount };
// Reads a file; a file that exists but cannot be read counts as empty.
LoadStatus load(const QString &path, FormContent &content);

} // namespace configfile
