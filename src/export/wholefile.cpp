#include "wholefile.h"

#include <QSaveFile>

std::optional<WriteFailure> writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure{WriteFailure::Open, file.errorString()};
    // commit() puts the temporary file in place even when its own last flush
    // failed (a small file on a full disk came out empty): flush first.
    if (!write(file) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit();
        return WriteFailure{WriteFailure::Write, reason};
    }
    if (!file.commit())
        return WriteFailure{WriteFailure::Replace, file.errorString()};
    return std::nullopt;
}
