#include "wholefile.h"

#include "store/storefiles.h"

#include <QFileInfo>

WholeFile::WholeFile(const QString &path) : m_target(StoreFiles::realFile(path)) {}

WholeFile::~WholeFile()
{
    if (!m_committed && !m_temp.fileName().isEmpty())
        StoreFiles::removeTemporary(m_temp.fileName());
}

bool WholeFile::open()
{
    if (QFileInfo(m_target).isDir()) {
        m_error = QStringLiteral("это папка");
        return false;
    }
    const QString temp = StoreFiles::makeTemporary(m_target, m_target, StoreFiles::kNew, m_error);
    if (temp.isEmpty())
        return false;
    m_temp.setFileName(temp);
    if (m_temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    m_error = m_temp.errorString();
    return false;
}

bool WholeFile::commit()
{
    // A full disk shows at the flush or the sync, never after the move.
    if (!m_temp.flush() || m_temp.error() != QFileDevice::NoError) {
        m_error = m_temp.errorString();
        return false;
    }
    m_temp.close();
    if (!StoreFiles::sync(m_temp.fileName())) {
        m_error = QStringLiteral("данные не удалось записать на диск");
        return false;
    }
    if (QFileInfo::exists(m_target))
        StoreFiles::copyAccessRights(m_target, m_temp.fileName());
    if (!StoreFiles::replace(m_temp.fileName(), m_target, m_error)) {
        m_failedAtReplace = true;
        return false;
    }
    m_committed = true;
    return true;
}

std::optional<WriteFailure> writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    WholeFile file(path);
    if (!file.open())
        return WriteFailure{WriteFailure::Open, file.errorString()};
    if (!write(file.device()) || !file.commit())
        return WriteFailure{file.failedAtReplace() ? WriteFailure::Replace : WriteFailure::Write,
                            file.errorString().isEmpty() ? file.device().errorString() : file.errorString()};
    return std::nullopt;
}

QString withRefusalCause(const QString &message, const QString &path)
{
    const QString cause = StoreFiles::writeRefusalCause(QFileInfo(path).absolutePath());
    return cause.isEmpty() ? message : message + QStringLiteral("\n\r") + cause;
}
