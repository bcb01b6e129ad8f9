// Draws the program's icon at the sizes of the hicolor theme and as its
// scalable file, for the package, and as the Windows program's icon file.
#include "app/appicon.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

/// An .ico file whose images are PNG files, as Windows reads them since Vista.
QByteArray iconFile(const QList<int> &sizes)
{
    QList<QByteArray> images;
    for (int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        appIconImage(size).save(&png, "PNG");
        images << png.data();
    }
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size()); // reserved, an icon, how many
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        // width and height (0 stands for 256), no palette, planes, bits per pixel
        out << quint8(sizes[i] % 256) << quint8(sizes[i] % 256) << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        ico += image;
    return ico;
}

} // namespace

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
    QFile ico(out.filePath(QStringLiteral("vireok.ico")));
    if (!ico.open(QIODevice::WriteOnly) || ico.write(iconFile({16, 24, 32, 48, 256})) < 0 || !ico.flush()) {
        std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
