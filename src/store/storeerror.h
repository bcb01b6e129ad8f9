#pragma once

#include <QString>

#include <exception>

/// What every store call says once the store failed to open: nothing the
/// user does in this run can bring the log back.
inline const QString kNotOpen = QStringLiteral("Журнал не открыт — перезапустите Vireok");

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
