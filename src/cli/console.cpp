#include "console.h"

#include "core/fieldrules.h"
#include "core/files/configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cli {

void Console::error(const QString &what) const
{
    err << "rzm417-cli: " << what << Qt::endl;
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void Console::lines(const QStringList &list) const
{
    for (const auto &line : list)
        out << line << '\n';
    out.flush();
}

namespace {

// Opens a file for reading; a one-line error when it does not exist or cannot be read.
bool openForReading(QFile &file, const Console &io)
{
    const QString path = file.fileName();
    if (!QFileInfo::exists(path)) {
        io.error(QStringLiteral("%1: no such file").arg(shownPath(path)));
        return false;
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        io.error(QStringLiteral("%1: cannot be read: %2").arg(shownPath(path), QFileInfo(path).isDir() ? QStringLiteral("is a folder") : file.errorString()));
        return false;
    }
    return true;
}

} // namespace

bool readFile(const QString &path, QByteArray *bytes, const Console &io)
{
    QFile file(path);
    if (!openForReading(file, io))
        return false;
    *bytes = file.readAll();
    return true;
}

bool loadConfig(const QString &path, FormContent *form, const Console &io)
{
    QFile file(path);
    if (!openForReading(file, io))
        return false;
    const QStringList lines = configfile::readLines(file);
    FormContent content;
    if (!configfile::decode(lines, content)) {
        io.error(QStringLiteral("%1: not a configuration file (%2 lines, expected %3)")
                     .arg(shownPath(path), lines.size() > configfile::LineCount ? QStringLiteral("more than %1").arg(configfile::LineCount)
                                                                      : QString::number(lines.size()))
                     .arg(configfile::LineCount));
        return false;
    }
    *form = fieldrules::fitToFields(content);
    return true;
}

bool saveConfig(const QString &path, const FormContent &form, const Console &io)
{
    QString reason;
    if (!configfile::save(path, form, &reason)) {
        io.error(QStringLiteral("%1: not written: %2").arg(shownPath(path), reason));
        return false;
    }
    return true;
}

} // namespace cli
