#include "systemtime.h"

#include <windows.h>

namespace {

// UTC as it is: SetLocalTime would convert a local time with the daylight
// saving state in force now, an hour off for a moment across a change.
SYSTEMTIME systemTime(const QDateTime &utc)
{
    const QDateTime t = utc.toUTC();
    SYSTEMTIME st = {};
    st.wYear = WORD(t.date().year());
    st.wMonth = WORD(t.date().month());
    st.wDayOfWeek = WORD(t.date().dayOfWeek() % 7);
    st.wDay = WORD(t.date().day());
    st.wHour = WORD(t.time().hour());
    st.wMinute = WORD(t.time().minute());
    st.wSecond = WORD(t.time().second());
    st.wMilliseconds = WORD(t.time().msec());
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
        const SYSTEMTIME st = systemTime(utc);
        set = SetSystemTime(&st);
        AdjustTokenPrivileges(token, FALSE, &before, 0, nullptr, nullptr);
    }
    CloseHandle(token);
    return set;
}
