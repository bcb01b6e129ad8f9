#include "knowncalls.h"

#include "regularfile.h"

#include "entry/entryfilter.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {
constexpr int kLongestCall = 20; // the call fields' length
constexpr qint64 kReadPart = 1 << 20;
} // namespace

KnownCalls readKnownCalls(const QString &path, const std::atomic_bool &stop)
{
    KnownCalls known;
    const QString shown = QDir::toNativeSeparators(path);
    QFile f;
    QString why;
    if (!openRegularFile(f, path, why)) {
        known.error =
            why.isEmpty()
                ? QStringLiteral("Файл позывных %1 не загружен: это не обычный файл (устройство, канал или папка)")
                      .arg(shown)
                : QStringLiteral("Файл позывных %1 не прочитан: %2").arg(shown, why);
        return known;
    }
    // Read in parts, up to one byte past the limit whatever the size said
    // (a file may grow while it is read), and let go when the program ends.
    QByteArray bytes;
    while (!stop && bytes.size() <= kKnownCallsMaxBytes) {
        const QByteArray part = f.read(std::min<qint64>(kReadPart, kKnownCallsMaxBytes + 1 - bytes.size()));
        if (part.isEmpty())
            break;
        bytes += part;
    }
    if (stop)
        return known;
    if (f.error() != QFileDevice::NoError) {
        known.error = QStringLiteral("Файл позывных %1 не прочитан: %2").arg(shown, f.errorString());
        return known;
    }
    if (bytes.size() > kKnownCallsMaxBytes) {
        known.error = QStringLiteral("Файл позывных %1 больше 20 МБ и не загружен").arg(shown);
        return known;
    }
    if (bytes.contains('\0')) {
        known.error = QStringLiteral("Файл позывных %1 не текстовый и не загружен").arg(shown);
        return known;
    }
    // Counted before a single call is made of them.
    qsizetype lines = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    if (!bytes.isEmpty() && bytes.back() != '\n' && bytes.back() != '\r')
        ++lines; // the last line without its end
    if (lines > kKnownCallsMaxLines) {
        known.error = QStringLiteral("Файл позывных %1 длиннее 1 000 000 строк и не загружен").arg(shown);
        return known;
    }
    // Line by line in place: a file of short lines split into pieces first
    // took several times its size.
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QString line = QString::fromLatin1(bytes.constData() + start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith('#') || line.size() > kLongestCall)
            continue;
        QString call;
        for (const QChar c : line) {
            const auto kept = filterEntryChar(c);
            if (!kept || c.unicode() < ' ')
                break;
            call.append(*kept);
        }
        if (call.size() == line.size())
            known.calls << call;
    }
    if (known.calls.isEmpty()) {
        known.error = QStringLiteral("Файл позывных %1 не загружен: в нём нет ни одного позывного").arg(shown);
        return known;
    }
    std::sort(known.calls.begin(), known.calls.end());
    known.calls.erase(std::unique(known.calls.begin(), known.calls.end()), known.calls.end());
    return known;
}

QString knownCallsPath(const QString &named, const QString &workingFolder, const QString &programFolder)
{
    if (!named.isEmpty())
        return named;
    for (const QString &folder : {workingFolder, programFolder}) {
        QDir dir(folder);
        dir.setFilter(QDir::Files | QDir::Readable);
        for (const QString &name : dir.entryList())
            if (name.compare(QLatin1String("MASTER.SCP"), Qt::CaseInsensitive) == 0)
                return dir.filePath(name);
    }
    return {};
}
