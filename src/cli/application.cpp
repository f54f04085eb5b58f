#include "application.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstring>

namespace cli {

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "sheet") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The platform's start-up notes (a missing XDG_RUNTIME_DIR, say) would come
        // before the command's own output and break its one-line errors.
        QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace cli
