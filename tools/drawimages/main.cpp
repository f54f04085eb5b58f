// Writes the program's images into the folder given on the command line:
//   drawimages <outdir>
#include "drawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: drawimages <outdir>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) {
        err << "drawimages: no such folder: " << out.path() << "\n";
        return 1;
    }
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
    for (const auto &image : images) {
        const QString path = out.filePath(QString::fromLatin1(image.file));
        // Straight (not premultiplied) alpha is what PNG stores.
        if (!image.draw().convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            err << "drawimages: cannot write " << path << "\n";
            ++failures;
        } else {
            err << "wrote " << path << "\n";
        }
    }
    return failures == 0 ? 0 : 1;
}
