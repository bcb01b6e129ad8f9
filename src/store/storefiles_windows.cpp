#include "storefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>
#include <windows.h>

namespace StoreFiles {

namespace {

// Wide names throughout: a narrow call fails on a folder named outside the
// system's code page (a Cyrillic folder on a Western Windows).
std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
}

QString systemWords(DWORD error)
{
    return qt_error_string(int(error));
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

/// A handle that closes itself.
class Handle {
public:
    Handle(const QString &path, DWORD access, DWORD flags = FILE_ATTRIBUTE_NORMAL, DWORD disposition = OPEN_EXISTING)
        : m_h(CreateFileW(wide(path).c_str(), access, kShareAll, nullptr, disposition, flags, nullptr))
    {}
    ~Handle()
    {
        if (ok())
            CloseHandle(m_h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool ok() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    HANDLE release()
    {
        HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE m_h;
};

bool information(const QString &path, BY_HANDLE_FILE_INFORMATION &info)
{
    // No access asked: looking at a file does not disturb anyone's use of it.
    const Handle h(path, 0, FILE_FLAG_BACKUP_SEMANTICS);
    return h.ok() && GetFileInformationByHandle(h.get(), &info);
}

// A temporary file given its place must not stay hidden under its new name.
void unhide(const QString &path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN))
        SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN));
}

// An antivirus, the indexer or a backup tool opens a file that was just
// written, or the one it replaces, for a moment: the move is tried again
// every 100 ms for up to 2 s before it is reported.
bool heldForAMoment(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

bool move(const QString &temporary, const QString &path, DWORD flags, QString &error)
{
    unhide(temporary);
    const ULONGLONG until = GetTickCount64() + 2000;
    for (;;) {
        if (MoveFileExW(wide(temporary).c_str(), wide(path).c_str(), flags | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD why = GetLastError();
        if (!heldForAMoment(why) || GetTickCount64() >= until) {
            error = systemWords(why);
            hide(temporary);
            return false;
        }
        Sleep(100);
    }
}

} // namespace

// Replacing a file fails while any handle of it is open.
const bool kReplacesOpenFiles = false;

bool identify(const QString &path, Identity &identity, QString &error)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!information(path, info)) {
        error = systemWords(GetLastError());
        return false;
    }
    identity = Identity{info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return true;
}

int linkCount(const QString &path)
{
    BY_HANDLE_FILE_INFORMATION info;
    return information(path, info) ? int(info.nNumberOfLinks) : 0;
}

void copyAccessRights(const QString &, const QString &)
{
    // a new file takes the rights of its folder, the store's own folder
}

// Permissions are the file system's access lists, which no attribute shows
// (C:\Program Files looks writable to every test but a real one).
bool canWriteIn(const QString &folder)
{
    static std::atomic<int> probes{0};
    const QString probe =
        folder +
        QStringLiteral("/.vireok-probe-%1-%2").arg(QCoreApplication::applicationPid()).arg(probes.fetch_add(1));
    const Handle h(probe, GENERIC_WRITE, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, CREATE_NEW);
    return h.ok();
}

bool canRead(const QString &path)
{
    return Handle(path, GENERIC_READ).ok();
}

bool canWrite(const QString &path)
{
    return Handle(path, GENERIC_WRITE).ok();
}

QString writeRefusalCause(const QString &folder)
{
    const QString documents = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QString place = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const bool inDocuments =
        !documents.isEmpty() && (place.compare(documents, Qt::CaseInsensitive) == 0 ||
                                 place.startsWith(documents + QLatin1Char('/'), Qt::CaseInsensitive));
    if (!inDocuments || canWriteIn(folder))
        return {};
    return QStringLiteral("Папка входит в «Документы»: запись в неё может запрещать «Контролируемый доступ к папкам» "
                          "Защитника Windows, который не пускает туда программы без цифровой подписи. Откройте "
                          "«Безопасность Windows» → «Защита от вирусов и угроз» → «Управление защитой от "
                          "программ-шантажистов» → «Разрешить работу приложения через контролируемый доступ к "
                          "папкам» и добавьте vireok.exe.");
}

void hide(const QString &path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(name.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
}

bool sync(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true; // a folder's names are written through by the move itself
    const Handle h(path, GENERIC_WRITE);
    return h.ok() && FlushFileBuffers(h.get());
}

bool giveName(const QString &temporary, const QString &path, QString &error)
{
    // Without the replace flag the move fails when the name exists: a store
    // that another process made meanwhile is never replaced.
    return move(temporary, path, 0, error);
}

bool replace(const QString &temporary, const QString &path, QString &error)
{
    return move(temporary, path, MOVEFILE_REPLACE_EXISTING, error);
}

// One byte far beyond SQLite's lock bytes (at 1 GiB), on a handle that
// lets everyone read, write and rename the file.
Lock lock(const QString &path, qintptr &handle, QString &error)
{
    Handle h(path, GENERIC_READ);
    if (!h.ok()) {
        error = systemWords(GetLastError());
        return Lock::Failed;
    }
    OVERLAPPED at = {};
    at.OffsetHigh = 0x40000000;
    if (!LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD why = GetLastError();
        if (why == ERROR_LOCK_VIOLATION || why == ERROR_IO_PENDING)
            return Lock::HeldByOther;
        error = systemWords(why);
        return Lock::Failed;
    }
    handle = reinterpret_cast<qintptr>(h.release());
    return Lock::Taken;
}

void unlock(qintptr handle)
{
    CloseHandle(reinterpret_cast<HANDLE>(handle)); // the lock goes with the handle
}

} // namespace StoreFiles
