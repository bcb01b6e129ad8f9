#include "picturesave.h"

#include "ownfiles.h"

#include "seams/prompts.h"

#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts.error(parent, kErrorTitle, QStringLiteral("Произошла ошибка открытия файла"));
        return false;
    }
    if (!picture.save(&file, "PNG") || !file.commit()) {
        file.cancelWriting();
        prompts.error(parent, kErrorTitle, QStringLiteral("Произошла ошибка записи данных в файл"));
        return false;
    }
    return true;
}
