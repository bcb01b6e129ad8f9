#pragma once

class Prompts;
class QLabel;
class QWidget;
class TIdSNTP;

/// The menu command that sets the computer's clock from the time server:
/// the waiting text and cursor while the client asks, then the outcome in
/// the status text and a message.
class TimeSyncCommand {
public:
    TimeSyncCommand(TIdSNTP &sntp, Prompts &prompts, QLabel *statusPanel, QWidget *window);

    void run();

private:
    TIdSNTP &m_sntp;
    Prompts &m_prompts;
    QLabel *m_status;
    QWidget *m_window;
};
