#include "storefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace StoreFiles {

namespace {

QString prefix(const QString &nameOf)
{
    return QStringLiteral(".") + QFileInfo(nameOf).fileName() + QLatin1Char('-');
}

} // namespace

QString makeTemporary(const QString &beside, const QString &nameOf, const char *kind, QString &error)
{
    QTemporaryFile temp(QFileInfo(beside).absolutePath() + QLatin1Char('/') + prefix(nameOf) + QLatin1String(kind) +
                        QStringLiteral("-XXXXXX"));
    temp.setAutoRemove(false);
    if (!temp.open()) {
        error = temp.errorString();
        return {};
    }
    temp.close();
    hide(temp.fileName());
    return temp.fileName();
}

void removeTemporary(const QString &path)
{
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
}

void removeLeftovers(const QString &store)
{
    const QDir folder = QFileInfo(store).absoluteDir();
    QStringList patterns;
    for (const char *kind : {kNew, kCopy, kRebuild})
        for (const char *tail : {"", "-journal"})
            patterns << prefix(store) + QLatin1String(kind) + QStringLiteral("-??????") + QLatin1String(tail);
    for (const QString &name : folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder.filePath(name));
}

QString realFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace StoreFiles
