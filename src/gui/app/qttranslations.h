#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;
class QTranslator;

// Qt's own texts (the buttons of the boxes and dialogs, the file dialogs) in the
// desktop's language. The program's own texts are untouched: it installs no
// translation of them, so they show as written.
namespace qttranslations {

// Where Qt's translations are looked for: a "translations" folder beside the
// program (the Windows package ships them there), then Qt's own folder (on Debian
// the package qt6-translations-l10n fills it).
QStringList folders();

// Installs qtbase_<language> of `locale` from the first folder that has it; the
// translator is `app`'s child. Nothing when no folder has it (an English desktop
// needs none).
QTranslator *install(QCoreApplication &app, const QLocale &locale = QLocale(), const QStringList &where = folders());

} // namespace qttranslations
