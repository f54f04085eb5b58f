#pragma once

// The window's document: the current file and the last transfer text. Tests read
// and set them only here, so a change of where the window keeps them touches one file.
#include "mainwindow.h"

namespace windowdocument {

inline QString fileName(const MainWindow &window)
{
    return window.linkSettings().fileName;
}

inline QString filePath(const MainWindow &window)
{
    return window.linkSettings().filePath;
}

inline QString transferText(const MainWindow &window)
{
    return window.linkSettings().transferText;
}

inline void setTransferText(MainWindow &window, const QString &text)
{
    LinkSettings settings = window.linkSettings();
    settings.transferText = text;
    window.setLinkSettings(settings);
}

} // namespace windowdocument
