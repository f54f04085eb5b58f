#pragma once

#include <QString>

// The document the window shows, apart from the form itself: the configuration
// file it was last opened from or saved to.
struct DocumentState
{
    QString fileName; // the display name, as the status bar shows it
    QString filePath;

    friend bool operator==(const DocumentState &, const DocumentState &) = default;
};
