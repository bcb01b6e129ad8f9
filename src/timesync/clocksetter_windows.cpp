#include "systemtime.h"

#include <windows.h>

namespace {

SYSTEMTIME localTime(const QDateTime &utc)
{
    const QDateTime local = utc.toLocalTime();
    SYSTEMTIME st = {};
    st.wYear = WORD(local.date().year());
    st.wMonth = WORD(local.date().month());
    st.wDayOfWeek = WORD(local.date().dayOfWeek() % 7);
    st.wDay = WORD(local.date().day());
    st.wHour = WORD(local.time().hour());
    st.wMinute = WORD(local.time().minute());
    st.wSecond = WORD(local.time().second());
    st.wMilliseconds = WORD(local.time().msec());
    return st;
}

} // namespace

bool SystemClockSetter::setClock(const QDateTime &utc)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES wanted = {};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES before = {};
    DWORD beforeSize = sizeof before;
    bool set = false;
    // The call succeeds for a user who lacks the privilege; only the last
    // error says that nothing was granted.
    if (LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &wanted.Privileges[0].Luid) &&
        AdjustTokenPrivileges(token, FALSE, &wanted, sizeof before, &before, &beforeSize) &&
        GetLastError() != ERROR_NOT_ALL_ASSIGNED) {
        const SYSTEMTIME st = localTime(utc);
        set = SetLocalTime(&st);
        AdjustTokenPrivileges(token, FALSE, &before, 0, nullptr, nullptr);
    }
    CloseHandle(token);
    return set;
}
