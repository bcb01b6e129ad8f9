#pragma once

#include <QString>

#include <exception>

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
