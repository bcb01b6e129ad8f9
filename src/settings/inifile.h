#pragma once

#include "settingskeys.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

/// settings.ini: whole numbers by section and key, names compared without
/// regard to case. Other sections, keys and lines are kept as they are.
class IniFile {
public:
    explicit IniFile(QString path);

    /// Reads the file afresh; a missing or unreadable file reads as empty.
    void load();
    /// A key that is missing or not a whole number gives nothing.
    std::optional<int> readInt(const QString &section, const QString &key) const;
    /// The text of a key as it stands, trimmed; nothing when missing.
    std::optional<QString> readText(const QString &section, const QString &key) const;
    void writeInt(const QString &section, const QString &key, int value);

    /// A key of the table, as its entry says.
    std::optional<int> read(SettingKey key) const;
    int read(const NumberSetting &setting) const;
    QString read(const TextSetting &setting) const;
    void write(SettingKey key, int value);
    /// Writes the file (Windows-1251, CR LF); false on failure, with error()
    /// saying in Russian which file and what failed.
    bool save();
    const QString &error() const { return m_error; }
    const QString &path() const { return m_path; }

    /// Beside the executable when that folder is writable, otherwise in the
    /// user's configuration folder.
    static QString defaultPath();

private:
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;

    QString m_path;
    QStringList m_lines;
    /// Each line as the file had it, written back byte for byte unless the
    /// program wrote the line: a line of another program's may hold bytes
    /// the code page has no letter for. Nothing for the program's own lines.
    QList<std::optional<QByteArray>> m_bytes;
    QString m_error;
};
