#include "datafiles.h"

#include "core/appinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace datafiles {

QString locate(const QString &name, const QStringList &folders)
{
    if (QFileInfo::exists(name))
        return name;
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).absoluteFilePath(name);
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return name;
}

QString locate(const QString &name)
{
    // A desktop launcher starts the program in the home folder; the installed copy
    // is then found relative to the program, wherever the package put it.
    const QDir programs(QCoreApplication::applicationDirPath());
    return locate(name, {programs.path(), programs.filePath(QString::fromLatin1(appinfo::dataFolderFromPrograms))});
}

} // namespace datafiles
