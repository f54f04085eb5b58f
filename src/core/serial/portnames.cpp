#include "portnames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace portnames {

QString portFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/rzm417/ports");
}

QString linkPath(int number)
{
    return portFolder() + QStringLiteral("/com%1").arg(number);
}

int comNumber(const QString &portName)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(portName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString comName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

QString systemLocation(const QString &portName)
{
#ifdef Q_OS_WIN
    // The device path: "\\.\" before the name, for COM10 and above as for COM1.
    return QStringLiteral("\\\\.\\") + portName;
#else
    if (QDir::isAbsolutePath(portName))
        return portName;
    const int n = comNumber(portName);
    if (n == 0)
        return portName;
    const QFileInfo link(linkPath(n));
    if (link.isSymLink() || link.exists()) {
        const QString target = link.canonicalFilePath();
        // A dangling link names a device that is gone: open it as such and fail there.
        return target.isEmpty() ? link.symLinkTarget() : target;
    }
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

} // namespace portnames
