#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct FormContent;

// Where a command writes: results to `out`, errors and progress to `err`.
// Commands take one of these so tests can run them on strings.
namespace cli {

struct Console
{
    QTextStream &out;
    QTextStream &err;
    bool errIsTerminal = false;

    // "rzm417-cli: <what>" on err: the one-line error every failure gets.
    void error(const QString &what) const;
    void lines(const QStringList &list) const;
};

// A path as the system writes it, for everything a command prints: backslashes
// on Windows ("C:\Users\ana\kiolvasás.k83"), whatever it was given or Qt made of it.
QString shownPath(const QString &path);

// Reads a whole file; a one-line error when it cannot.
bool readFile(const QString &path, QByteArray *bytes, const Console &io);
// Loads a configuration file as the window would show it (over-long texts cut
// to their field). On failure writes a one-line error and returns false.
bool loadConfig(const QString &path, FormContent *form, const Console &io);
// Saves atomically; on failure a one-line error, and any old file is untouched.
bool saveConfig(const QString &path, const FormContent &form, const Console &io);

} // namespace cli
