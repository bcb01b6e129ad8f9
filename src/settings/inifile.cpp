#include "inifile.h"

#include "programfolder.h"

#include "files/cp1251.h"
#include "files/wholefile.h"
#include "store/storefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

void IniFile::load()
{
    m_lines.clear();
    m_bytes.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = f.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines << fromCp1251(line);
        m_bytes << line;
    }
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString t = m_lines[i].trimmed();
        if (t.startsWith('[') && t.endsWith(']') &&
            t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString t = m_lines[i].trimmed();
        if (t.startsWith('['))
            break;
        const int eq = t.indexOf('=');
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::readText(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const int k = findKey(s, key);
    if (k < 0)
        return std::nullopt;
    const QString &line = m_lines[k];
    return line.mid(line.indexOf('=') + 1).trimmed();
}

std::optional<int> IniFile::readInt(const QString &section, const QString &key) const
{
    const auto text = readText(section, key);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<int> IniFile::read(SettingKey key) const
{
    return readInt(QLatin1String(key.section), QLatin1String(key.name));
}

int IniFile::read(const NumberSetting &setting) const
{
    const auto value = read(setting.key);
    return value && *value >= setting.least && *value <= setting.most ? *value : setting.fallback;
}

QString IniFile::read(const TextSetting &setting) const
{
    const QString text =
        readText(QLatin1String(setting.key.section), QLatin1String(setting.key.name)).value_or(QString());
    return text.isEmpty() ? QString::fromLatin1(setting.fallback) : text;
}

void IniFile::write(SettingKey key, int value)
{
    writeInt(QLatin1String(key.section), QLatin1String(key.name), value);
}

void IniFile::writeInt(const QString &section, const QString &key, int value)
{
    const QString line = key + '=' + QString::number(value);
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) {
            m_lines << QString();
            m_bytes << std::nullopt;
        }
        m_lines << '[' + section + ']' << line;
        m_bytes << std::nullopt << std::nullopt;
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = line;
        m_bytes[k] = std::nullopt;
        return;
    }
    int end = s + 1;
    while (end < m_lines.size() && !m_lines[end].trimmed().startsWith('['))
        ++end;
    while (end > s + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end;
    m_lines.insert(end, line);
    m_bytes.insert(end, std::nullopt);
}

bool IniFile::save()
{
    QByteArray bytes;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_bytes[i])
            bytes += *m_bytes[i];
        else
            appendCp1251(bytes, m_lines[i]);
        bytes += "\r\n";
    }
    const auto failure =
        writeWholeFile(m_path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
    if (!failure)
        return true;
    const QString failed = failure->step == WriteFailure::Open ? QStringLiteral("его нельзя открыть для записи")
                           : failure->step == WriteFailure::Write ? QStringLiteral("запись в него прервалась")
                                                                  : QStringLiteral("его не удалось заменить новым");
    const QString kept = QFileInfo::exists(m_path) ? QStringLiteral("; прежний файл не изменён") : QString();
    // The system's own words come after ours, for whoever can read them.
    m_error = withRefusalCause(QStringLiteral("Не удалось сохранить настройки окон в файл %1: %2%3.\n\r(%4)")
                                   .arg(QDir::toNativeSeparators(m_path), failed, kept, failure->reason),
                               m_path);
    return false;
}

QString IniFile::defaultPath()
{
    const QString folder = programFolder();
    if (StoreFiles::canWriteIn(folder))
        return QDir(folder).filePath(QStringLiteral("settings.ini"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(QStringLiteral("settings.ini"));
}
