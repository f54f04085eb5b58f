#pragma once

#include <QString>

// The document the window shows, apart from the form itself: the configuration file
// it was last opened from or saved to, and the transfer text last built from it.
struct DocumentState
{
    QString fileName;     // the display name, as the status bar shows it
    QString filePath;
    QString transferText; // built by the download and the verify; emptied by a load

    friend bool operator==(const DocumentState &, const DocumentState &) = default;
};
