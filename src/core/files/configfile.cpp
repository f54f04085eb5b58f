#include "configfile.h"
#include "wholefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTextStream>

namespace configfile {

namespace {
const QLatin1StringView kCrLf("\r\n");
}

QByteArray encode(const FormContent &content)
{
    QString text;
    text.reserve(LineCount * 8);
    for (const QString &t : content.texts)
        text += t + kCrLf;
    for (bool checked : content.boxes)
        text += checked ? QStringLiteral("1\r\n") : QStringLiteral("0\r\n");
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QStringList readLines(QIODevice &device)
{
    QTextStream stream(&device);
    stream.setEncoding(QStringConverter::System);
    QStringList lines;
    // Read first, test afterwards: an empty file yields one empty line, as it
    // always has, and is refused by the count like any other short file.
    QString line;
    do {
        line = stream.readLine();
        lines.append(line);
    } while (line != QLatin1StringView(EndMarker) && !stream.atEnd() && lines.size() <= LineCount);
    return lines;
}

QStringList readLines(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readLines(buffer);
}

bool decode(const QStringList &lines, FormContent &content)
{
    if (lines.size() != LineCount)
        return false;
    for (int i = 0; i < formschema::TextCount; ++i)
        content.texts[i] = lines[i];
    for (int k = 0; k < formschema::BoxCount; ++k)
        content.boxes[k] = lines[formschema::TextCount + k] == QLatin1StringView("1");
    return true;
}

int endMarkerText(const FormContent &content)
{
    for (int i = 0; i < formschema::TextCount; ++i)
        if (content.texts[i] == QLatin1StringView(EndMarker))
            return i;
    return -1;
}

int lineBreakText(const FormContent &content)
{
    for (int i = 0; i < formschema::TextCount; ++i) {
        const QString &text = content.texts[i];
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
            return i;
    }
    return -1;
}

QString displayName(const QString &path)
{
    const QFileInfo info(path);
    return info.baseName() + QLatin1Char('.') + info.completeSuffix();
}

bool save(const QString &path, const FormContent &content, QString *error)
{
    return wholefile::write(path, encode(content), error);
}

LoadStatus load(const QString &path, FormContent &content)
{
    if (!QFileInfo::exists(path))
        return LoadStatus::Missing;
    QFile file(path);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        lines = readLines(file);
    else
        lines = readLines(QByteArray());
    return decode(lines, content) ? LoadStatus::Loaded : LoadStatus::BadLineCount;
}

} // namespace configfile
