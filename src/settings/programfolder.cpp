#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
bool installed()
{
    return QFileInfo::exists(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("installed.txt")));
}

// Asked of the system each time, never written down by the installer: a
// path written in the installer's code page lost its Cyrillic letters, and
// Documents may move (OneDrive) after the installation.
QString dataFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    const QString folder = QDir(documents).filePath(QStringLiteral("Vireok"));
    return QDir().mkpath(folder) ? QDir::cleanPath(folder) : QString();
}
} // namespace

QString programFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    if (!installed())
        return program;
    const QString data = dataFolder();
    return data.isEmpty() ? program : data;
}

void leaveHiddenProgramFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    if (!installed() || QFileInfo(QDir::currentPath()) != QFileInfo(program))
        return;
    const QString data = dataFolder();
    if (!data.isEmpty())
        QDir::setCurrent(data);
}
