#pragma once

#include <QStringList>

#include <atomic>
#include <functional>

/// Reads every call of the log at path, newest QSO first, on a connection of
/// its own that only reads (so it may run on another thread). The rows come
/// in chunks, each read whole and let go before the next, so that no read
/// stays open between chunks to hold up a QSO being recorded. The first
/// argument of take is the number of QSOs at the start; empty calls are left
/// out. Stops early when stop is set; false when the file could not be read.
bool readLogCalls(const QString &path, const std::atomic_bool &stop,
                  const std::function<void(qint64 total, const QStringList &calls)> &take);
