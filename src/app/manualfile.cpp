#include "manualfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kManual = QStringLiteral("manual.pdf");
}

QStringList manualFolders()
{
    return {QCoreApplication::applicationDirPath(), QStringLiteral(VIREOK_MANUAL_DIR)};
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
