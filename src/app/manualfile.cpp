#include "manualfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kManual = QStringLiteral("manual.pdf");
}

QStringList manualFolders()
{
    // Relative to the program, not a path compiled in: the package installs
    // under /usr what was built for /usr/local, and an unpacked or moved tree
    // keeps the same shape.
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/../share/vireok"))};
}

QString manualToOpen(const QStringList &folders)
{
    if (QFileInfo(kManual).isFile())
        return kManual;
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(kManual);
        if (QFileInfo(path).isFile())
            return path;
    }
    return kManual;
}
