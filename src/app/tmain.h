#pragma once

#include "mainform.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ClockSetter;
class ClockSource;
class TIdSNTP;
class ZoneBias;
class ClockTicker;
class Editor;
struct EntryContext;
class ScreenMode;
class EntryKeys;
class Recorder;
class ReportExport;
class StationPanel;
class RepeatCheck;
class RepeatListModel;
class TRptQso;
class Desktop;
class LogModel;
class Prompts;
class QAction;
class QDialog;
class Store;

/// The main window: the log grid, the entry panel, the menus and the status
/// bar. It wires the entry, repeat, clock, setup, export and time-sync logic
/// to its controls.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        Store &store;
        Prompts &prompts;
        Desktop &desktop;
        ClockSource &clock;
        ZoneBias &zone;
        ClockSetter &clockSetter;
        QString iniPath;
    };

    explicit TMain(const Services &services, QWidget *parent = nullptr);
    ~TMain() override;

    /// The windows made after this one; the menus show them.
    void setContestWindow(QDialog *contest) { m_contest = contest; }
    void setRepeatWindow(TRptQso *repeats);
    void setAboutBox(QDialog *about) { m_about = about; }

    /// Writes sections Main and RptQso of settings.ini (program end).
    void saveSettings();

    const MainForm &form() const { return m_form; }
    LogModel &logModel() { return *m_log; }
    RepeatListModel &repeatList() { return *m_repeatList; }
    ClockTicker &clockTicker() { return *m_clock; }
    RepeatCheck *repeatCheck() { return m_repeatCheck; }
    Recorder &recorder() { return *m_recorder; }
    Editor &editor() { return *m_editor; }
    EntryKeys &entryKeys() { return *m_keys; }
    StationPanel &stationPanel() { return *m_station; }
    TIdSNTP &sntp() { return *m_sntp; }
    ScreenMode &screenMode() { return *m_screen; }
    int entryLayout() const { return m_layout; }
    QAction *layoutAction() const { return m_layoutAction; }
    QAction *repeatAction() const { return m_repeatAction; }
    QAction *action(const QString &caption) const;

    /// Runs a handler; a store error ends it and is shown in the error box.
    bool guarded(const std::function<void()> &handler);

    void toggleLayout();
    void refreshCounters();

private:
    void buildControls();
    void buildEntryPanel(QWidget *client);
    void buildMenus();
    void restorePlacement();
    void applyLayout();
    void openLog();
    void toggleRepeatWindow();
    void startClock();
    void startEntry();
    void startExports();
    void startTimeSync();
    void synchroniseTime();
    void saveSection(const QString &section, const QVector<QPair<QString, int>> &keys);

    Services m_services;
    MainForm m_form;
    std::unique_ptr<ScreenMode> m_screen;
    std::unique_ptr<EntryContext> m_context;
    LogModel *m_log = nullptr;
    int m_layout = 0;
    QAction *m_layoutAction = nullptr;
    QAction *m_repeatAction = nullptr;
    QDialog *m_contest = nullptr;
    TRptQso *m_repeats = nullptr;
    RepeatListModel *m_repeatList = nullptr;
    RepeatCheck *m_repeatCheck = nullptr;
    ClockTicker *m_clock = nullptr;
    EntryKeys *m_keys = nullptr;
    Recorder *m_recorder = nullptr;
    Editor *m_editor = nullptr;
    StationPanel *m_station = nullptr;
    std::unique_ptr<ReportExport> m_export;
    TIdSNTP *m_sntp = nullptr;
    QDialog *m_about = nullptr;
};
