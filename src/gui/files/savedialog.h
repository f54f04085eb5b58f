#pragma once

#include "documentstate.h"

#include <QString>

class QWidget;

// The file dialog of a command that writes the document out (Mentés, the PDF export).
struct SaveDialogSetup
{
    QString objectName;
    QString title;
    QString filter;
    QString suffix; // without the point: "k83"
};

// Asks for the name to write to. The dialog proposes the document's name with the
// setup's ending, adds that ending to a name typed without one, and asks before an
// existing file is replaced. An empty text when it was cancelled.
QString askSavePath(QWidget *window, const DocumentState &document, const SaveDialogSetup &setup);

// What the dialog proposes: the document's name with `suffix` in place of its
// ending, beside its file while the path still names that file (a refused Open
// leaves the refused file's path), else in the working folder; the working folder
// itself when there is no document yet.
QString suggestedPath(const DocumentState &document, const QString &suffix);
