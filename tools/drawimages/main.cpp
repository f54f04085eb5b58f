// Writes the program's images into the folder given on the command line:
//   drawimages <outdir>            the images compiled into the program
//   drawimages --hicolor <outdir>  the desktop's icons in the hicolor theme's layout,
//                                  <outdir>/<n>x<n>/{apps,mimetypes}/<name>.png
#include "drawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// The sizes a desktop asks the hicolor theme for.
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool write(const QImage &image, const QString &path, QTextStream &err)
{
    // Straight (not premultiplied) alpha is what PNG stores.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        err << "drawimages: cannot write " << path << "\n";
        return false;
    }
    err << "wrote " << path << "\n";
    return true;
}

int writeResourceImages(const QDir &out, QTextStream &err)
{
    const struct { const char *file; QImage (*draw)(); } images[] = {
        {"page_icon.png", pageIcon},
        {"open.png", openIcon},
        {"save.png", saveIcon},
        {"exit_icon.png", exitIcon},
        {"info_icon.png", infoIcon},
        {"up.png", upIcon},
        {"down.png", downIcon},
        {"icon_download.png", windowIcon},
        {"Rzm_417 220x200 copy.png", modulePicture},
    };
    int failures = 0;
    for (const auto &image : images)
        failures += write(image.draw(), out.filePath(QString::fromLatin1(image.file)), err) ? 0 : 1;
    return failures;
}

int writeHicolorIcons(const QDir &out, QTextStream &err)
{
    // The program's icon is its window icon; the configuration file's icon is named
    // after its file type, as shared-mime-info looks it up.
    const struct { const char *context; const char *name; qreal design; void (*draw)(QPainter &); } icons[] = {
        {"apps", "rzm417", 48, drawWindowIcon},
        {"mimetypes", "application-x-rzm417-config", 32, drawConfigFileIcon},
    };
    int failures = 0;
    for (const int size : kIconSizes) {
        for (const auto &icon : icons) {
            const QString folder = QStringLiteral("%1x%1/%2").arg(size).arg(QLatin1String(icon.context));
            if (!out.mkpath(folder)) {
                err << "drawimages: cannot create " << out.filePath(folder) << "\n";
                ++failures;
                continue;
            }
            const QString path = out.filePath(folder + QLatin1Char('/') + QLatin1String(icon.name) + ".png");
            failures += write(scaledIcon(size, icon.design, icon.draw), path, err) ? 0 : 1;
        }
    }
    return failures;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const bool hicolor = args.size() == 2 && args[0] == u"--hicolor";
    if (args.size() != 1 && !hicolor) {
        err << "usage: drawimages <outdir> | drawimages --hicolor <outdir>\n";
        return 2;
    }
    const QDir out(args.last());
    if (!out.exists()) {
        err << "drawimages: no such folder: " << out.path() << "\n";
        return 1;
    }
    const int failures = hicolor ? writeHicolorIcons(out, err) : writeResourceImages(out, err);
    return failures == 0 ? 0 : 1;
}
