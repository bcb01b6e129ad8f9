#include "storeerror.h"

#include <QSqlError>

// The user decides from this text whether the file is still their log: say
// what went wrong in words, and keep the engine's own text beside them.
QString explainedSqlError(const QSqlError &error, const QString &action)
{
    // Qt's own words name only the call that failed ("Unable to fetch row"
    // for a refused INSERT): SQLite's, where it gave any, say why.
    const QString own = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    QString why;
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        why = QStringLiteral("файл занят другой программой; закройте её и повторите");
        break;
    case 8: // SQLITE_READONLY
        why = QStringLiteral("запись в файл запрещена: файл или папка доступны только для чтения");
        break;
    case 10: // SQLITE_IOERR
        why = QStringLiteral("ошибка чтения или записи диска");
        break;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB, though the file starts as SQLite
        why = QStringLiteral("файл базы данных повреждён; не удаляйте его, записи из него ещё можно спасти");
        break;
    case 13: // SQLITE_FULL
        why = kDiskFull;
        break;
    case 14: // SQLITE_CANTOPEN
        why = QStringLiteral("файл нельзя открыть: нет доступа к файлу или к его папке");
        break;
    default: why = action.isEmpty() ? QStringLiteral("журнал не удалось прочитать или изменить") : action; break;
    }
    return why + QStringLiteral(" (") + own + QLatin1Char(')');
}
