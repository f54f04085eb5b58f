#include "application.h"

#include "core/appinfo.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstring>

namespace cli {

namespace {

bool drawsSheet(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], DebugOption) != 0)
            return std::strcmp(argv[i], "sheet") == 0;
    return false;
}

} // namespace

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    if (drawsSheet(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The platform's start-up notes (a missing XDG_RUNTIME_DIR, say) would come
        // before the command's own output and break its one-line errors.
        QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
        auto app = std::make_unique<QGuiApplication>(argc, argv);
#ifdef Q_OS_WIN
        // There the offscreen platform draws with the font files of one folder
        // only, read at the first text: the sheet's fonts ship in the data folder.
        if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
            const QDir programs(QCoreApplication::applicationDirPath());
            const QString fonts = programs.filePath(QLatin1String(appinfo::dataFolderFromPrograms) + "/fonts");
            qputenv("QT_QPA_FONTDIR", QDir::toNativeSeparators(QDir::cleanPath(fonts)).toLocal8Bit());
        }
#endif
        return app;
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace cli
