#pragma once

// The window's document: the current file. Tests read it only here, so a change of
// where the window keeps it touches one file.
#include "gui/app/mainwindow.h"
#include "modaldriver.h"

#include <QLabel>

namespace windowdocument {

inline QString fileName(const MainWindow &window)
{
    return window.document().fileName;
}

inline QString filePath(const MainWindow &window)
{
    return window.document().filePath;
}

// The status bar's file label; a window without one gives a text no test expects.
inline QString fileLabel(const MainWindow &window)
{
    const auto *label = window.findChild<QLabel *>("fileLabel");
    return label ? label->text() : QStringLiteral("<no fileLabel>");
}

// The boxes and file dialogs of opening and saving, as ModalDriver records them.
inline const QString kSaved = QStringLiteral("Save|Save was successful.");
inline const QString kOpenDialog = QStringLiteral("Open File|K83 Files (*.k83)");
inline const QString kSaveDialog = QStringLiteral("Save File|K83 Files (*.k83)");
inline const QString kUnsaved =
    QStringLiteral("Unsaved changes|The form has changes that are not saved.\nDo you want to save them?");

// A read-out over edits a test put on the form asks first whether to save them;
// the test lets them go (Discard), as a user who wants the module's form does.
inline void letEditsGo(ModalDriver &modals)
{
    modals.press(QMessageBox::Discard);
}

// Takes that question off what the user was shown; false when it did not come first.
inline bool tookUnsavedQuestion(ModalDriver &modals)
{
    return !modals.shown.isEmpty() && modals.shown.takeFirst().line() == kUnsaved;
}

} // namespace windowdocument
