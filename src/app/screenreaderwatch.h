#pragma once

#include <QObject>

/// Whether a screen reader runs, as the desktop tells it: asked without
/// waiting at start and followed as it changes. An accessibility client that
/// is no screen reader (a test tool, an on-screen keyboard) does not count.
class ScreenReaderWatch : public QObject {
public:
    explicit ScreenReaderWatch(QObject *parent = nullptr);
    bool running() const { return m_running; }

private:
    bool m_running = false;
};
