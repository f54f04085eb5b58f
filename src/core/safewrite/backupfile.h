#pragma once

#include "core/formcontent.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The backup of a safe write: what a module held before it was written, kept as
// an ordinary configuration file that Megnyitás opens. The window and the
// command line take it alike: from the module's answer to a read request, saved
// atomically and read back before anything is written to the module.
namespace safewrite {

// The per-user folder of backups: rzm417/backups under the generic data folder
// (~/.local/share/rzm417/backups on Linux, the user's application data on Windows).
QString backupFolder();

// A UTC time as local time in the given format, from any thread.
QString localTime(const QDateTime &utc, const QString &format);

// DIR/<time>-<port>-<module id>.k83 as an absolute path, with the port and the id made
// safe for a file name; a name already taken gets "-2", "-3", ... so no backup is
// ever replaced.
QString backupPath(const QString &dir, const QDateTime &time, const QString &port, const QString &moduleId);

// The configuration a module's answer holds, as a configuration file can keep it:
// texts cut to their fields as the window cuts them.
struct AnswerConfig
{
    enum class Status {
        Read,
        NoAnswer,   // not one byte came
        Unreadable, // no separator, or another number of fields
        EndMarker,  // a field "---" would end a saved file early
    };
    Status status = Status::Read;
    FormContent form;       // Read: the configuration
    QString answerText;     // the normalised answer, for a message on why it is unreadable
    int markerField = -1;   // EndMarker: the text field's index
    bool ok() const { return status == Status::Read; }
};
AnswerConfig configFromAnswer(const QByteArray &bytes);

// Saves `form` to `path` atomically, then reads the file back: true only when it
// loads again exactly as written. Otherwise `error` says why in a phrase.
enum class SaveStatus { Saved, NotWritten, ReadsBackOtherwise };
SaveStatus saveBackup(const QString &path, const FormContent &form, QString *error);

// The whole backup from a module's answer: its configuration saved under a new
// name in `dir`. `path` is set once a file was attempted.
struct Backup
{
    AnswerConfig config;
    SaveStatus saved = SaveStatus::NotWritten;
    QString path;
    QString error; // NotWritten: the file's error
    bool ok() const { return config.ok() && saved == SaveStatus::Saved; }
};
Backup takeBackup(const QByteArray &answer, const QString &dir, const QString &port, const QDateTime &time);

} // namespace safewrite
