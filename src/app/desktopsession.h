#pragma once

#include <QString>

#include <functional>

/// The desktop the program runs on: whether a window can be shown at all,
/// and the end of the user's session.
namespace DesktopSession {

/// What to tell the user when no window can be shown here, found before the
/// window system is asked; empty when one can be tried.
QString noDisplay(const QString &program);

/// Settles, before the application is made, how its windows and dialogs
/// are made where the system's usual ones fail.
void prepare();

/// What to tell the user when the window system could not be reached.
QString unreachable(const QString &program);

/// A logout or a shutdown (on Linux also SIGTERM and SIGHUP) ends the
/// program as closing its window does. keep runs where the system may end
/// the process before the event loop returns.
void endWithTheSession(const std::function<void()> &keep);

} // namespace DesktopSession
