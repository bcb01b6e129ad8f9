#pragma once

#include "manualfile.h"
#include "screenreaderwatch.h"
#include "taboutbox.h"
#include "tmain.h"
#include "toolwindows.h"

#include "entry/entrystate.h"
#include "form/descriptionspeech.h"
#include "log/logmodel.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "partial/partialwindow.h"
#include "repeats/repeatlistmodel.h"
#include "repeats/trptqso.h"
#include "settings/inifile.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "stats/statswindow.h"

#include <memory>

class ClockSetter;
class ClockSource;
class ClockTicker;
class Desktop;
class Editor;
class Prompts;
class RepeatCheck;
class ReportExport;
class ScreenMode;
class Sounds;
class Speech;
class StationPanel;
class Store;
class StoreTrouble;
class TIdSNTP;
class TimeSyncCommand;
class ZoneBias;
struct EntryContext;

/// The windows of the "Окна" menu, in its order.
namespace ToolRows {
inline const ToolWindows::Row repeats{"RptQso", "Повторные связи",         Qt::Key_F5, QRect(0, 557, 384, 292),
                                      false,    &MainActions::repeatWindow};
inline const ToolWindows::Row partial{"Partial", "Частичные позывные",       Qt::Key_F6, QRect(0, 557, 200, 292),
                                      true,      &MainActions::partialWindow};
inline const ToolWindows::Row stats{
    "Stats", "Статистика", Qt::Key_F7, QRect(0, 0, 600, 560), true, &MainActions::statsWindow};
} // namespace ToolRows

/// The whole program, made in one readable list: the store's side, the
/// entry, the windows (each once, in the order the program makes them),
/// and every feature attached to them. Nothing else makes the program's
/// parts; read program.cpp and you know the program.
class Program {
public:
    /// What the program is given from outside.
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

    explicit Program(const Services &services);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    /// Writes the windows' places into settings.ini (program end); a
    /// failure is told in the error box.
    void saveSettings();

    const Services services;
    IniFile settings; ///< read once at start, written once at the end

    // The store's side.
    LogModel log;
    EntryState entry;
    RepeatListModel repeatList;
    PartialCalls partialCalls;
    PartialListModel partialList;

    // The windows.
    TMain main;

private:
    /// The log is read as the main window is made, before the contest
    /// window fills its list: a store that fails says so there, once.
    bool m_logOpened;

public:
    TContest contest;
    TRptQso repeats;
    TContestUp addContest;
    TAboutBox about;
    PartialWindow partial;
    StatsWindow stats;

    // What the features made, by which the program's parts are reached.
    Editor *editor = nullptr;
    StationPanel *stationPanel = nullptr;
    RepeatCheck *repeatCheck = nullptr;
    ClockTicker *clockTicker = nullptr;
    TIdSNTP *sntp = nullptr;

private:
    void attachEntry();
    void attachReports();
    void attachTimeSync();
    void attachToolWindows();
    bool openLog();
    bool soundOn() const;

    DescriptionSpeech m_describe;
    ScreenReaderWatch m_reader;
    StoreTrouble *m_storeTrouble = nullptr;
    std::unique_ptr<ScreenMode> m_screen;
    std::unique_ptr<EntryContext> m_context;
    std::unique_ptr<ReportExport> m_export;
    std::unique_ptr<TimeSyncCommand> m_timeSync;
};
