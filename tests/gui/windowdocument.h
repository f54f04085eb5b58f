#pragma once

// The window's document: the current file and the last transfer text. Tests read
// and set them only here, so a change of where the window keeps them touches one file.
#include "mainwindow.h"

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

} // namespace windowdocument
