#pragma once

/// SIGTERM and SIGHUP (a logout, a shutdown, a plain kill) end the program
/// as closing its window does, so that settings.ini is written.
void quitOnTermination();
