#pragma once

#include <QString>

#include <functional>

class ClockSource;
class Prompts;
class QWidget;
class Store;

/// The three export commands of the log menu: the call-sign check, the save
/// dialog, writing the file whole or not at all, and the messages.
class ReportExport {
public:
    struct Hooks {
        /// Where the save dialog starts.
        std::function<QString()> dialogFolder;
        /// The log grid stands on its last row after the export walked it;
        /// reread says the ADIF export ran the log's statement afresh.
        std::function<void(bool reread)> afterWalk;
        QString webAddress;
        /// settings.ini: a report written onto it would lose the user's layout.
        QString settingsFile;
    };

    ReportExport(Store &store, Prompts &prompts, const ClockSource &clock, QWidget *window, Hooks hooks);

    void cabrillo();
    void ermak();
    void adif();
    /// Where the save dialog starts.
    QString dialogFolder() const { return m_hooks.dialogFolder(); }

private:
    enum class Kind { Cabrillo, Ermak };
    void report(Kind kind);
    /// The file the user chose for the report, proposed as the trimmed own
    /// call sign (left in call) and extension; empty when there is no call
    /// sign (the user is told) or the dialog was cancelled.
    QString chooseFile(const QString &extension, QString &call);

    Store &m_store;
    Prompts &m_prompts;
    const ClockSource &m_clock;
    QWidget *m_window;
    Hooks m_hooks;
};
