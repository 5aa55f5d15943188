// Writes the application icon as PNG files for the desktop's icon theme.
#include "Emblem.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s output-dir size...\n", argv[0]);
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int side = QString::fromLocal8Bit(argv[i]).toInt();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outputDir).arg(side);
        if (side <= 0 || !QDir().mkpath(dir) ||
            !kvitok::DrawAppIcon(side).save(dir + QStringLiteral("/kvitok.png"), "PNG")) {
            std::fprintf(stderr, "cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
