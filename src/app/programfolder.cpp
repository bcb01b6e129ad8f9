#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString programFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    QFile named(QDir(program).filePath(QStringLiteral("data-folder.txt")));
    if (!named.open(QIODevice::ReadOnly))
        return program;
    const QString data = QString::fromUtf8(named.readLine(4096)).trimmed();
    return !data.isEmpty() && QFileInfo(data).isDir() ? QDir::cleanPath(data) : program;
}
