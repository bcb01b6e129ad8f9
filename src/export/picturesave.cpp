#include "picturesave.h"

#include "ownfiles.h"

#include "files/wholefile.h"
#include "seams/prompts.h"

#include <QFileInfo>
#include <QImage>

namespace {
const QString kErrorTitle = QStringLiteral("Ошибка");
const QString kOwnFile = QStringLiteral(
    "Изображение нельзя записать в файл %1:\n\rэто файл журнала Vireok (%2), изображение уничтожило бы журнал.\n\r"
    "Выберите другое имя файла.");
const QString kSettingsFile =
    QStringLiteral("Изображение нельзя записать в файл %1:\n\rэто файл настроек Vireok (%2), изображение уничтожило бы "
                   "настройки.\n\rВыберите другое имя файла.");
} // namespace

bool savePicture(const QImage &picture, Prompts &prompts, QWidget *parent, const PictureTarget &target)
{
    QString path = prompts.saveFileName(parent, target.folder, QStringLiteral("Статистика.png"),
                                        {QStringLiteral("Изображения PNG (*.png)")});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (const auto own = ownFileAt(path, target.storePath, target.settingsFile)) {
        prompts.error(parent, kErrorTitle,
                      (own->isSettings ? kSettingsFile : kOwnFile).arg(path, QFileInfo(own->path).fileName()));
        return false;
    }
    const auto failure = writeWholeFile(path, [&picture](QIODevice &file) { return picture.save(&file, "PNG"); });
    if (!failure)
        return true;
    prompts.error(parent, kErrorTitle,
                  withRefusalCause(failure->step == WriteFailure::Open
                                       ? QStringLiteral("Произошла ошибка открытия файла")
                                       : QStringLiteral("Произошла ошибка записи данных в файл"),
                                   path));
    return false;
}
