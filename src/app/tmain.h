#pragma once

#include "mainactions.h"
#include "manualfile.h"
#include "screenreaderwatch.h"

#include "export/picturesave.h"
#include "form/descriptionspeech.h"
#include "form/mainform.h"
#include "settings/inifile.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class ClockSetter;
class ClockSource;
class ClockTicker;
class Desktop;
class Editor;
class EntryState;
class LogModel;
class Prompts;
class Sounds;
class QDialog;
class RepeatCheck;
class RepeatListModel;
class PartialCalls;
class PartialListModel;
class ReportExport;
class ScreenMode;
class StationPanel;
class StoreTrouble;
class Store;
class TIdSNTP;
class TRptQso;
class TimeSyncCommand;
class ToolWindows;
class ZoneBias;
struct EntryContext;

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
        /// Where the manual is looked for when the working directory has none.
        QStringList manualFolders = ::manualFolders();
        /// The repeat cues; none, no sound.
        Sounds *sounds = nullptr;
        /// What a screen reader says after a step; none, the phrase as a field's description.
        Speech *speech = nullptr;
    };

    explicit TMain(const Services &services, QWidget *parent = nullptr);
    ~TMain() override;

    /// The windows made after this one; the menus show them.
    void setContestWindow(QDialog *contest) { m_contest = contest; }
    /// The repeat check, showing its rows in window.
    void checkRepeats(TRptQso &window);
    void setAboutBox(QDialog *about) { m_about = about; }
    ToolWindows &toolWindows() { return *m_tools; }
    /// The known-calls file to read: the one settings.ini names, else the usual.
    QString knownCallsFile() const;
    /// Where the statistics picture goes, and what it may not overwrite.
    PictureTarget pictureTarget() const;

    /// Writes sections Main, RptQso, Partial and Stats of settings.ini (program end).
    void saveSettings();

    const MainForm &form() const { return m_form; }
    const MainActions &actions() const { return m_actions; }
    LogModel &logModel() { return *m_log; }
    EntryState &entry() { return *m_entry; }
    RepeatListModel &repeatList() { return *m_repeatList; }
    PartialListModel &partialList() { return *m_partialList; }
    PartialCalls &partialCalls() { return *m_partialCalls; }
    ClockTicker &clockTicker() { return *m_clock; }
    RepeatCheck *repeatCheck() { return m_repeatCheck; }
    Editor &editor() { return *m_editor; }
    StationPanel &stationPanel() { return *m_station; }
    TIdSNTP &sntp() { return *m_sntp; }
    int entryLayout() const { return m_layout; }

    void toggleLayout();

private:
    void createActions();
    void startTimeSync();
    void restorePlacement();
    void applyLayout();
    void openLog();
    void backToEntry();
    bool soundOn() const;

    Services m_services;
    IniFile m_settings; ///< read once at start, written once at the end
    EntryState *m_entry = nullptr;
    LogModel *m_log = nullptr;
    RepeatListModel *m_repeatList = nullptr;
    PartialCalls *m_partialCalls = nullptr;
    PartialListModel *m_partialList = nullptr;
    MainForm m_form;
    MainActions m_actions;
    std::unique_ptr<ScreenMode> m_screen;
    std::unique_ptr<EntryContext> m_context;
    int m_layout = 0;
    std::optional<int> m_soundSetting; ///< [Access] Sound, when the user set it
    DescriptionSpeech m_describe;
    ScreenReaderWatch m_reader;
    QDialog *m_contest = nullptr;
    ToolWindows *m_tools = nullptr;
    StoreTrouble *m_storeTrouble = nullptr;
    RepeatCheck *m_repeatCheck = nullptr;
    ClockTicker *m_clock = nullptr;
    Editor *m_editor = nullptr;
    StationPanel *m_station = nullptr;
    std::unique_ptr<ReportExport> m_export;
    TIdSNTP *m_sntp = nullptr;
    std::unique_ptr<TimeSyncCommand> m_timeSync;
    QDialog *m_about = nullptr;
};
