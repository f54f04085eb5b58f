#pragma once

// The window's document: the current file and the last transfer text. Tests read
// and set them only here, so a change of where the window keeps them touches one file.
#include "gui/app/mainwindow.h"

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

inline QString transferText(const MainWindow &window)
{
    return window.document().transferText;
}

inline void setTransferText(MainWindow &window, const QString &text)
{
    DocumentState document = window.document();
    document.transferText = text;
    window.setDocument(document);
}

// The status bar's file label.
inline QString fileLabel(const MainWindow &window)
{
    return window.findChild<QLabel *>("fileLabel")->text();
}

// The boxes and file dialogs of opening and saving, as ModalDriver records them.
inline const QString kSaved = QStringLiteral("Save|Save was successful.");
inline const QString kOpenDialog = QStringLiteral("Open File|K83 Files (*.k83)");
inline const QString kSaveDialog = QStringLiteral("Save File|K83 Files (*.k83)");
inline const QString kUnsaved =
    QStringLiteral("Unsaved changes|The form has changes that are not saved.\nDo you want to save them?");

} // namespace windowdocument
