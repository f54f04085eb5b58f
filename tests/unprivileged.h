#pragma once

// Runs a program as the unprivileged user "nobody", for what root cannot see:
// root ignores file modes, and CI runs as root.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unprivileged {

// Why it cannot be done here; empty when it can.
inline QString unavailable()
{
    if (::geteuid() != 0)
        return QStringLiteral("only root can become nobody");
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        return QStringLiteral("setpriv is missing");
    if (!::getpwnam("nobody") || !::getgrnam("dialout"))
        return QStringLiteral("no user nobody or no group dialout");
    return QString();
}

// Gives a pseudo-terminal the owner and mode udev gives a USB serial adapter:
// root:dialout, 0660. nobody is not in dialout.
inline bool likeAnAdapter(const QString &device)
{
    const struct group *dialout = ::getgrnam("dialout");
    const QByteArray path = QFile::encodeName(device);
    return dialout && ::chown(path.constData(), 0, dialout->gr_gid) == 0 && ::chmod(path.constData(), 0660) == 0;
}

// Hands a folder and what is in it to nobody.
inline bool giveToNobody(const QString &folder)
{
    const struct passwd *nobody = ::getpwnam("nobody");
    bool ok = nobody && ::chown(QFile::encodeName(folder).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        ok = ok && (entry.isDir() && !entry.isSymLink() ? giveToNobody(entry.filePath())
                                                         : ::lchown(QFile::encodeName(entry.filePath()).constData(),
                                                                    nobody->pw_uid, nobody->pw_gid) == 0);
    return ok;
}

// A folder anyone may enter: QTemporaryDir makes it for its owner alone.
inline bool openToAll(const QTemporaryDir &dir)
{
    return ::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0;
}

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

// Runs a copy of `program` as nobody: the build tree may lie in a folder only
// root may enter. The copy works since our executables link our libraries statically.
class Runner
{
public:
    explicit Runner(const QString &program)
    {
        if (!openToAll(m_dir))
            return;
        m_program = m_dir.filePath(QFileInfo(program).fileName());
        if (!QFile::copy(program, m_program))
            m_program.clear();
    }

    bool isValid() const { return !m_program.isEmpty(); }

    Result run(const QStringList &arguments, const QProcessEnvironment &environment, int timeoutMs = 30000) const
    {
        const struct passwd *nobody = ::getpwnam("nobody");
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                                  QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups"),
                                  QStringLiteral("--"), m_program}
                          + arguments);
        Result result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            result.err = QStringLiteral("timed out");
            return result;
        }
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private:
    QTemporaryDir m_dir;
    QString m_program;
};

} // namespace unprivileged
