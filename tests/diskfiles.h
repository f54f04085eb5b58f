#pragma once

// Whole-file reads and writes for tests that check bytes on disk.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace diskfiles {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A fresh temporary folder as the working directory, for code that reads and
// writes relative paths; the old working directory comes back on destruction.
class ScopedWorkDir
{
public:
    ScopedWorkDir()
        : m_old(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
    }
    ~ScopedWorkDir() { QDir::setCurrent(m_old); }
    ScopedWorkDir(const ScopedWorkDir &) = delete;
    ScopedWorkDir &operator=(const ScopedWorkDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

} // namespace diskfiles
