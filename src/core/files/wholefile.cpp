#include "wholefile.h"

#include <QDebug>
#include <QSaveFile>

namespace wholefile {

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, size limit) shows in write()'s
    // count: a buffered QSaveFile flushes at commit() and there takes a short
    // write for success, committing a cut-off file.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (ok) {
        qint64 done = 0;
        // Write the rest again after a short write: the second attempt fails
        // with the system's reason (no space left, file too large).
        while (done < bytes.size()) {
            const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += n;
        }
        ok = done == bytes.size() && file.commit();
    }
    if (!ok) {
        // An uncommitted QSaveFile discards its temporary file when destroyed.
        if (error)
            *error = file.error() == QFileDevice::NoError ? QStringLiteral("The file could not be written completely.")
                                                          : file.errorString();
        qDebug() << "save failed:" << path << file.errorString();
    }
    return ok;
}

} // namespace wholefile
