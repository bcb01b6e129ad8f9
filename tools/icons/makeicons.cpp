// Draws the program's icon at the sizes of the hicolor theme and as its
// scalable file, for the package.
#include "app/appicon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(folder) || !appIconImage(size).save(out.filePath(folder + QStringLiteral("/vireok.png")))) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(out.filePath(folder)));
            return 1;
        }
    }
    QFile svg(out.filePath(QStringLiteral("scalable/apps/vireok.svg")));
    if (!out.mkpath(QStringLiteral("scalable/apps")) || !svg.open(QIODevice::WriteOnly) ||
        svg.write(appIconSvg()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}
