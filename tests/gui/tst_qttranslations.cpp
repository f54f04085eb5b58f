// Qt's own texts follow the desktop's language: on a Hungarian desktop the
// download dialog and the file dialogs say "Mégse". The program's own texts stay
// exactly as written: with Qt's translation installed, every window differs from
// its English self only in the buttons Qt names.
#include "gui/app/mainwindow.h"
#include "gui/app/qttranslations.h"
#include "gui/transfer/dload.h"

#include "diskfiles.h"
#include "modaldriver.h"
#include "noports.h"
#include "ptypair.h"
#include "widgetdump.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

const QLocale kHungarian(QLocale::Hungarian, QLocale::Hungary);

QString cancelText(const QWidget *window)
{
    const auto *buttons = qobject_cast<const QDialogButtonBox *>(window);
    if (!buttons && window)
        buttons = window->findChild<QDialogButtonBox *>();
    const QPushButton *cancel = buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
    return cancel ? cancel->text() : QStringLiteral("<no Cancel button>");
}

QString cancelOfABox()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return cancelText(&box);
}

// The main window and every dialog its settings, help and about commands open.
QStringList everyWindow()
{
    MainWindow window;
    window.show();
    QStringList lines = widgetdump::dump(&window);
    widgetdump::DialogDumper dialogs;
    qApp->installEventFilter(&dialogs);
    widgetdump::openSettingsDialogs(window);
    window.nevjegy();
    window.contents();
    qApp->removeEventFilter(&dialogs);
    return lines + dialogs.lines;
}

} // namespace

class tst_QtTranslations : public QObject
{
    Q_OBJECT

private slots:
    void foldersBesideTheProgramFirst();
    void hungarianDesktop();
};

// The Windows package ships the translations beside the program, where no system
// package brings them: they are looked for there first, and taken from there.
void tst_QtTranslations::foldersBesideTheProgramFirst()
{
    const QStringList folders = qttranslations::folders();
    QCOMPARE(folders.value(0), QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    QCOMPARE(folders.value(1), QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    QTemporaryDir beside;
    const QString system = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_hu.qm");
    QVERIFY2(QFile::copy(system, beside.filePath(QStringLiteral("qtbase_hu.qm"))), qPrintable(system));
    QTemporaryDir empty;
    QVERIFY(!qttranslations::install(*qApp, kHungarian, {empty.path()}));
    const std::unique_ptr<QTranslator> shipped(qttranslations::install(*qApp, kHungarian, {empty.path(), beside.path()}));
    QVERIFY(shipped);
    QCOMPARE(cancelOfABox(), QStringLiteral("Mégse"));
}

void tst_QtTranslations::hungarianDesktop()
{
    fixtures::ScopedWorkDir work; // the help text is read from the working folder
    QVERIFY(fixtures::writeAll(QStringLiteral("rzm_17.hlp"), "Help text\n---\n"));
    const std::unique_ptr<QTranslator> english(qttranslations::install(*qApp, QLocale(QLocale::English)));
    QCOMPARE(cancelOfABox(), QStringLiteral("Cancel"));
    const QStringList asWritten = everyWindow();

    const std::unique_ptr<QTranslator> hungarian(qttranslations::install(*qApp, kHungarian));
    QVERIFY2(hungarian, "qtbase_hu.qm is missing: Debian's qt6-translations-l10n brings it");
    QCOMPARE(cancelOfABox(), QStringLiteral("Mégse"));
    const QStringList translated = everyWindow();
    QCOMPARE(translated.size(), asWritten.size());
    int buttonLines = 0;
    for (int i = 0; i < asWritten.size(); ++i) {
        if (translated[i] == asWritten[i])
            continue;
        QVERIFY2(asWritten[i].contains(QLatin1String(" buttons=[")), qPrintable(asWritten[i] + " / " + translated[i]));
        ++buttonLines;
    }
    QVERIFY(buttonLines > 0);

    // The download dialog, while it waits for a module that never answers.
    PtyPair pty;
    QVERIFY(pty.isValid());
    MainWindow window;
    LinkSettings settings;
    settings.port = pty.slavePath();
    {
        dload download(settings, QStringLiteral("x"), &window);
        QCOMPARE(cancelText(&download), QStringLiteral("Mégse"));
    }
    // The file dialogs of Megnyitás and Mentés.
    QStringList fileDialogs;
    const auto look = [&fileDialogs](QWidget *dialog) {
        fileDialogs << cancelText(dialog);
        static_cast<QDialog *>(dialog)->reject();
    };
    ModalDriver modals;
    modals.then(look).then(look);
    window.openfile();
    window.save();
    QCOMPARE(fileDialogs, (QStringList{"Mégse", "Mégse"}));
}

// Every COM name leads nowhere, so the port dialog lists the same on any machine.
NOPORTS_TEST_MAIN(tst_QtTranslations)

#include "tst_qttranslations.moc"
