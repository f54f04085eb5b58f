#include "backupfile.h"

#include "core/fieldrules.h"
#include "core/files/configfile.h"
#include "core/formschema.h"
#include "core/transfer/answer.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <mutex>

namespace safewrite {
namespace {

QString fileNamePart(const QString &text, const QString &fallback)
{
    QString part = text.trimmed();
    part.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.]+")), QStringLiteral("_"));
    while (part.startsWith(QLatin1Char('_')) || part.startsWith(QLatin1Char('.')))
        part.remove(0, 1);
    return part.isEmpty() ? fallback : part;
}

} // namespace

QString backupFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).absoluteFilePath(QStringLiteral("rzm417/backups"));
}

QString localTime(const QDateTime &utc, const QString &format)
{
    // The C library guards its time-zone state with a lock of its own that
    // ThreadSanitizer cannot see; the workers' conversions take this one as well.
    static std::mutex zone;
    std::lock_guard lock(zone);
    return utc.toLocalTime().toString(format);
}

QString backupPath(const QString &dir, const QDateTime &time, const QString &port, const QString &moduleId)
{
    const QString stem = QStringLiteral("%1-%2-%3").arg(localTime(time, QStringLiteral("yyyyMMdd-HHmmss")),
                                                       fileNamePart(port, QStringLiteral("port")),
                                                       fileNamePart(moduleId, QStringLiteral("noid")));
    const QDir folder(dir);
    QString path = folder.absoluteFilePath(stem + QStringLiteral(".k83"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.absoluteFilePath(QStringLiteral("%1-%2.k83").arg(stem).arg(n));
    return path;
}

AnswerConfig configFromAnswer(const QByteArray &bytes)
{
    AnswerConfig config;
    config.answerText = answer::normalise(answer::rawText(bytes));
    const answer::Reading reading = answer::read(config.answerText);
    if (bytes.isEmpty()) {
        config.status = AnswerConfig::Status::NoAnswer;
        return config;
    }
    if (!reading.ok()) {
        config.status = AnswerConfig::Status::Unreadable;
        return config;
    }
    const FormContent form = fieldrules::fitToFields(reading.content);
    config.markerField = configfile::endMarkerText(form);
    if (config.markerField >= 0)
        config.status = AnswerConfig::Status::EndMarker;
    else
        config.form = form;
    return config;
}

SaveStatus saveBackup(const QString &path, const FormContent &form, QString *error)
{
    // The first backup of a user makes the folder; a failure shows in the save.
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!configfile::save(path, form, error))
        return SaveStatus::NotWritten;
    FormContent saved;
    if (configfile::load(path, saved) != configfile::LoadStatus::Loaded || saved != form) {
        *error = QStringLiteral("does not read back as it was written");
        return SaveStatus::ReadsBackOtherwise;
    }
    return SaveStatus::Saved;
}

Backup takeBackup(const QByteArray &answer, const QString &dir, const QString &port, const QDateTime &time)
{
    Backup backup;
    backup.config = configFromAnswer(answer);
    if (!backup.config.ok())
        return backup;
    backup.path = backupPath(dir, time, port, backup.config.form.text(formschema::fieldname::Id));
    backup.saved = saveBackup(backup.path, backup.config.form, &backup.error);
    return backup;
}

} // namespace safewrite
