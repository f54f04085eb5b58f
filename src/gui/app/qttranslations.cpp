#include "qttranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace qttranslations {

QStringList folders()
{
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator *install(QCoreApplication &app, const QLocale &locale, const QStringList &where)
{
    for (const QString &folder : where) {
        auto *translator = new QTranslator(&app);
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator))
            return translator;
        delete translator;
    }
    return nullptr;
}

} // namespace qttranslations
