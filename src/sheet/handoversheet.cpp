#include "handoversheet.h"

#include "sheetpainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace sheet {

void useA4(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
}

int render(QPagedPaintDevice &device, const SheetInput &input)
{
    const SheetContent content = sheetContent(input);
    SheetPainter layout(device, content);
    const int pages = layout.run(nullptr, 1);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    SheetPainter(device, content).run(&painter, pages);
    return painter.end() ? pages : 0;
}

bool writePdf(const QString &path, const SheetInput &input, QString *error, int *pages)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    int drawn = 0;
    {
        QPdfWriter writer(&file);
        writer.setTitle(sheetContent(input).title);
        writer.setCreator(QStringLiteral("rzm417"));
        useA4(writer);
        drawn = render(writer, input);
    } // the writer finishes the file when it goes
    if (drawn == 0 || file.error() != QFileDevice::NoError) {
        *error = drawn == 0 ? QStringLiteral("the PDF could not be drawn") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    if (pages)
        *pages = drawn;
    return true;
}

} // namespace sheet
