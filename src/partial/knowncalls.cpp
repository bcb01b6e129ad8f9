#include "knowncalls.h"

#include "entry/entryfilter.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {
constexpr int kLongestCall = 20; // the call fields' length
} // namespace

KnownCalls readKnownCalls(const QString &path)
{
    KnownCalls known;
    const QString shown = QDir::toNativeSeparators(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        known.error = QStringLiteral("Файл позывных %1 не прочитан: %2").arg(shown, f.errorString());
        return known;
    }
    if (f.size() > kKnownCallsMaxBytes) {
        known.error = QStringLiteral("Файл позывных %1 больше 20 МБ и не загружен").arg(shown);
        return known;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.contains('\0')) {
        known.error = QStringLiteral("Файл позывных %1 не текстовый и не загружен").arg(shown);
        return known;
    }
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
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
