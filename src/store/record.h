#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

/// Field values to write, in the order they are set.
using FieldValues = QVector<QPair<QString, QString>>;

/// A row of log, operator or contest read by field name, without regard to
/// case. A field that is missing or holds no value reads as the empty text.
class Record {
public:
    void set(const QString &field, const QString &value);
    QString value(const QString &field) const;
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QHash<QString, QString> m_values;
};
