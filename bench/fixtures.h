#pragma once

#include <QString>
#include <QtGlobal>

/// A store file of n QSOs, made once per run and kept in a temporary folder.
/// A skewed log has one call (the busiest) in about 0.7% of all rows as heard
/// or worked station; other calls are nearly unique.
QString storeWithQsos(int n, bool skewed = false);

/// A known-calls file of n distinct calls, made once and kept beside the logs.
QString knownCallsFile(int n);

/// The busiest call of a skewed log.
inline QString busiestCall()
{
    return QStringLiteral("UA1BUSY");
}

/// Bytes of peak resident memory of this process so far.
long peakResidentBytes();
/// Bytes of resident memory of this process now.
long residentBytes();

/// Drops the file's pages from the system's cache, so that the next read
/// goes to the disk.
void evictFromCache(const QString &path);

/// What the application has delivered so far, counted by the benchmark
/// program's application object: every event, and the nanoseconds spent in
/// painting (update requests and paint events, outermost only).
struct EventMeter {
    static quint64 delivered;
    static qint64 paintNs;
};

/// Delivers what is pending until a pass delivers nothing more: the events
/// that the last input caused, paints and their flush to the screen included.
void settle();
