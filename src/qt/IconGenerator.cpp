// Writes the application icon as PNG files for the desktop's icon theme; "emblem:WxH" also
// writes the emblem of the dialogs at that size, for the Windows build's resources.
#include "Emblem.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s output-dir size|emblem:WxH...\n", argv[0]);
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        QImage image;
        QString dir;
        QString file;
        if (argument.startsWith(QStringLiteral("emblem:"))) {
            const QStringList size = argument.mid(7).split(QLatin1Char('x'));
            const int width = size.value(0).toInt();
            const int height = size.value(1).toInt();
            if (width > 0 && height > 0) {
                image = kvitok::DrawEmblem(QSize(width, height));
            }
            dir = outputDir + QStringLiteral("/emblem");
            file = argument.mid(7) + QStringLiteral(".png");
        } else {
            const int side = argument.toInt();
            if (side > 0) {
                image = kvitok::DrawAppIcon(side);
            }
            dir = QStringLiteral("%1/%2x%2/apps").arg(outputDir).arg(side);
            file = QStringLiteral("kvitok.png");
        }
        if (image.isNull() || !QDir().mkpath(dir) || !image.save(dir + QLatin1Char('/') + file, "PNG")) {
            std::fprintf(stderr, "cannot write the %s image\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
