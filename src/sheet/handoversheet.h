#pragma once

#include "sheetcontent.h"

#include <QString>

class QPagedPaintDevice;

// The handover sheet: the configuration on paper for the customer, drawn with
// QPainter on any paged device. The command line writes it as a PDF; the window
// can hand the same SheetInput to a QPrinter from its print preview.
namespace sheet {

// A4 portrait with 15 mm margins, the page the PDF gets.
void useA4(QPagedPaintDevice &device);

// Draws the sheet on the device's pages, starting a new page whenever the table of
// telephone slots runs over (its header is repeated there). Draws into the device's
// paint area, so it fits whatever page the device was given. Returns the number of
// pages drawn, 0 when the device cannot be painted on.
int render(QPagedPaintDevice &device, const SheetInput &input);

// Writes the sheet as an A4 PDF, atomically: either the whole new file is in place
// or an existing one is untouched. On failure returns false and sets `error`;
// on success `pages`, when given, gets the number of pages.
bool writePdf(const QString &path, const SheetInput &input, QString *error, int *pages = nullptr);

} // namespace sheet
