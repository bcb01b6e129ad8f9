#pragma once

#include <QString>

#include <exception>

class QSqlError;

/// What every store call says once the store failed to open: nothing the
/// user does in this run can bring the log back.
inline const QString kNotOpen = QStringLiteral("Журнал не открыт — перезапустите Vireok");

/// What the store's messages say of a disk without room.
inline const QString kDiskFull = QStringLiteral("диск заполнен");

/// What went wrong in words the user decides by (action where the engine's
/// reason says nothing more), then the engine's own text in brackets.
QString explainedSqlError(const QSqlError &error, const QString &action);

/// Thrown by the store for every failing statement. The handler that ran
/// the statement stops there; the window shows text() in the store error box.
class StoreError : public std::exception {
public:
    explicit StoreError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
