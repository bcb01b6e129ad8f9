#pragma once

#include "store/qsorecord.h"

/// A QSO for a test, a field at a time by name: by default heard UA1AAA,
/// number 001, on 14000 CW at 09:15 on 2026-12-06 in tour 0; the signal
/// reports follow the mode unless given.
class TestQso {
public:
    TestQso();
    TestQso &heard(const QString &call, const QString &nr = QStringLiteral("001"));
    TestQso &worked(const QString &call, const QString &nr = QString());
    TestQso &band(const QString &band) { return set(QStringLiteral("band"), band); }
    TestQso &mode(const QString &mode) { return set(QStringLiteral("mode"), mode); }
    TestQso &time(const QString &time) { return set(QStringLiteral("time"), time); }
    TestQso &tour(const QString &tur) { return set(QStringLiteral("tur"), tur); }
    /// Any field of table qso by its name in the store.
    TestQso &set(const QString &field, const QString &value);
    operator QsoRecord() const;

private:
    QsoRecord m_q;
};
