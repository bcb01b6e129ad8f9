#include "program.h"

#include "rigini.h"
#include "storetrouble.h"

#include "clock/clockfeature.h"
#include "clock/clockticker.h"
#include "entry/editor.h"
#include "entry/entrybinding.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/entrykeys.h"
#include "entry/recorder.h"
#include "entry/screenmode.h"
#include "export/reportexport.h"
#include "form/loggrid.h"
#include "partial/knowncalls.h"
#include "partial/partialfeature.h"
#include "repeats/repeatcheck.h"
#include "repeats/repeatfeature.h"
#include "rig/rigfollower.h"
#include "seams/desktop.h"
#include "seams/prompts.h"
#include "seams/sounds.h"
#include "settings/programfolder.h"
#include "settings/settingskeys.h"
#include "setup/stationpanel.h"
#include "stats/statsfeature.h"
#include "store/store.h"
#include "store/storefiles.h"
#include "store/storeguard.h"
#include "timesync/tidsntp.h"
#include "timesync/timesynccommand.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {
IniFile loaded(const QString &path)
{
    IniFile settings(path);
    settings.load();
    return settings;
}

/// Where the report dialog starts: the program's folder where it may be written.
QString reportFolder()
{
    const QString folder = programFolder();
    return StoreFiles::canWriteIn(folder) ? folder : QDir::currentPath();
}
} // namespace

Program::Program(const Services &s)
    : services(s), settings(loaded(s.iniPath)), log(s.store),
      repeatList(s.store,
                 [this] {
                     using Field = EntryState::Field;
                     return RepeatContext{entry.text(Field::HeardCall), entry.text(Field::WorkedCall),
                                          entry.text(Field::Band), entry.text(Field::Mode), entry.text(Field::Tour)};
                 }),
      partialCalls(s.store), partialList(partialCalls, s.store, repeatList.context()), main(settings, log, entry),
      m_logOpened(openLog()), contest(s.store, s.prompts, &main), repeats(repeatList, &main),
      addContest(s.store, s.prompts, &contest), about(&main), partial(partialList, &main),
      stats(s.store, log, s.clock, s.prompts, &main)
{
    // Store reads that fail outside a command: told once per failure.
    m_storeTrouble = new StoreTrouble(s.prompts, &main);
    QObject::connect(&log, &LogModel::readFailed, m_storeTrouble, &StoreTrouble::report);
    QObject::connect(&repeatList, &RepeatListModel::readFailed, m_storeTrouble, &StoreTrouble::report);
    QObject::connect(&partialCalls, &PartialCalls::readFailed, m_storeTrouble, &StoreTrouble::report);
    QObject::connect(&partialList, &PartialListModel::readFailed, m_storeTrouble, &StoreTrouble::report);

    attachEntry();
    attachReports();
    attachTimeSync();
    clockTicker = ClockFeature::attach(main.form(), s.clock, s.store, s.prompts, &main);
    RigFollower::start(readRigSettings(settings), entry, main.form(), *clockTicker, &main);

    const MainActions &a = main.actions();
    contest.setAddWindow(&addContest);
    QObject::connect(a.contests, &QAction::triggered, &contest, &QDialog::exec);
    QObject::connect(a.about, &QAction::triggered, &about, &QDialog::exec);
    QObject::connect(a.manual, &QAction::triggered, &main,
                     [this] { services.desktop.openDocument(manualToOpen(services.manualFolders)); });
    attachToolWindows();
    main.returnToEntryAfterCommands();
    main.form().heardCall->setFocus();
}

Program::~Program() = default;

// The entry: its state bound to the form first of all that listens to the
// widgets, so that the state is current for the rest; then the keys,
// recording, editing and the station panel.
void Program::attachEntry()
{
    const MainForm &form = main.form();
    new EntryBinding(entry, form, &main);
    m_screen = std::make_unique<ScreenMode>(form, entry);
    m_context = std::make_unique<EntryContext>(EntryContext{entry, form, log, services.store, services.prompts,
                                                            *m_screen, [this] { return main.entryLayout(); },
                                                            services.speech ? *services.speech : m_describe});
    new EntryKeys(*m_context, &main);
    new Recorder(*m_context, &main);
    editor = new Editor(*m_context, services.clock, &main);
    const MainActions &a = main.actions();
    QObject::connect(a.clearLog, &QAction::triggered, editor, &Editor::clearLog);
    QObject::connect(a.editRecord, &QAction::triggered, editor, &Editor::editRecord);
    QObject::connect(a.deleteRecord, &QAction::triggered, editor, &Editor::deleteRecord);

    stationPanel = new StationPanel(form, services.store, services.prompts, main.centralWidget());
    QObject::connect(stationPanel, &StationPanel::openChanged, &main,
                     [this](bool open) { m_screen->setStationOpen(open); });
    QObject::connect(a.station, &QAction::triggered, stationPanel, &StationPanel::open);
}

void Program::attachReports()
{
    ReportExport::Hooks hooks;
    hooks.dialogFolder = reportFolder;
    hooks.afterWalk = [this](bool reread) {
        if (reread)
            log.reload();
        selectRow(*m_context, log.rowCount() - 1);
    };
    hooks.webAddress = QString::fromLatin1(kWebAddress);
    hooks.settingsFile = services.iniPath;
    m_export = std::make_unique<ReportExport>(services.store, services.prompts, services.clock, &main, hooks);
    const MainActions &a = main.actions();
    QObject::connect(a.exportCabrillo, &QAction::triggered, &main, [this] { m_export->cabrillo(); });
    QObject::connect(a.exportErmak, &QAction::triggered, &main, [this] { m_export->ermak(); });
    QObject::connect(a.exportAdif, &QAction::triggered, &main, [this] { m_export->adif(); });
}

void Program::attachTimeSync()
{
    sntp = new TIdSNTP(services.clock, services.zone, services.clockSetter, &main);
    // A user behind a firewall can name the time server of the local network.
    sntp->Host = settings.read(Settings::sntpHost);
    sntp->Port = quint16(settings.read(Settings::sntpPort));
    m_timeSync = std::make_unique<TimeSyncCommand>(*sntp, services.prompts, main.form().statusPanel, &main);
    QObject::connect(main.actions().timeSync, &QAction::triggered, &main, [this] { m_timeSync->run(); });
}

// Each tool window takes its row of the "Окна" menu, then its feature.
void Program::attachToolWindows()
{
    ToolWindows &tools = main.toolWindows();
    tools.add(ToolRows::repeats, &repeats);
    repeatCheck = RepeatFeature::attach(
        entry, services.store, repeatList, repeats,
        [this](RepeatColour colour) {
            if (services.sounds && soundOn())
                services.sounds->play(colour == RepeatColour::Red ? Sounds::Cue::HeardRepeat
                                                                  : Sounds::Cue::WorkedRepeat);
        },
        &main);
    QObject::connect(repeatCheck, &RepeatCheck::readFailed, m_storeTrouble, &StoreTrouble::report);

    tools.add(ToolRows::partial, &partial);
    // Only the file named in settings.ini is missed aloud.
    const QString knownCalls =
        knownCallsPath(settings.read(Settings::partialFile), QDir::currentPath(), programFolder());
    PartialFeature::attach(entry, main.form(), log, partialCalls, partialList, partial, knownCalls, &main);

    tools.add(ToolRows::stats, &stats);
    StatsFeature::attach(main.form(), stats, *clockTicker, {reportFolder(), services.store.path(), services.iniPath});
}

// The log and the counters, the main window's last start-up step.
bool Program::openLog()
{
    const MainForm &form = main.form();
    const bool opened = guarded(services.prompts, &main, [&] {
        log.reload();
        selectRow(form, log, log.rowCount() - 1);
        writeCounters(form, log);
    });
    // The start-up box said why; from now on the fifth panel says what is left to do.
    if (!opened && services.store.hasFailed())
        form.statusPanel->setText(services.store.notOpen());
    else if (!services.store.upgradeBackup().isEmpty())
        form.statusPanel->setText(QStringLiteral("Журнал обновлён, прежний файл сохранён: ") +
                                  QFileInfo(services.store.upgradeBackup()).fileName());
    return opened;
}

bool Program::soundOn() const
{
    const auto chosen = settings.read(Settings::accessSound);
    return chosen ? *chosen != 0 : m_reader.running();
}

void Program::saveSettings()
{
    main.keepPlaces();
    if (!settings.save())
        services.prompts.error(&main, kApplicationTitle, settings.error());
}
