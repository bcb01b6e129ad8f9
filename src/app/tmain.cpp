#include "tmain.h"

#include "appicon.h"
#include "mainformbuilder.h"
#include "rigini.h"
#include "storetrouble.h"
#include "taboutbox.h"
#include "toolwindows.h"

#include "clock/clockfeature.h"
#include "entry/editor.h"
#include "entry/entrybinding.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/entrykeys.h"
#include "entry/recorder.h"
#include "entry/screenmode.h"
#include "export/reportexport.h"
#include "fonts/fonts.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "partial/knowncalls.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "repeats/repeatfeature.h"
#include "repeats/repeatlistmodel.h"
#include "repeats/trptqso.h"
#include "rig/rigfollower.h"
#include "seams/prompts.h"
#include "seams/sounds.h"
#include "settings/placement.h"
#include "settings/programfolder.h"
#include "setup/stationpanel.h"
#include "store/store.h"
#include "store/storefiles.h"
#include "store/storeguard.h"
#include "timesync/tidsntp.h"
#include "timesync/timesynccommand.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {
constexpr int kDesignTop = 110;
} // namespace

TMain::TMain(const Services &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_settings(services.iniPath)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Kalvex Vireok v.1.4"));
    setWindowIcon(appIcon());
    setFont(Fonts::sansSerif(11));
    m_settings.load();
    m_soundSetting = m_settings.read(Settings::accessSound);
    m_storeTrouble = new StoreTrouble(m_services.prompts, this);
    m_log = new LogModel(m_services.store, this);
    connect(m_log, &LogModel::readFailed, m_storeTrouble, &StoreTrouble::report);
    m_entry = new EntryState(this);
    m_repeatList = new RepeatListModel(
        m_services.store,
        [this] {
            using Field = EntryState::Field;
            return RepeatContext{m_entry->text(Field::HeardCall), m_entry->text(Field::WorkedCall),
                                 m_entry->text(Field::Band), m_entry->text(Field::Mode), m_entry->text(Field::Tour)};
        },
        this);
    connect(m_repeatList, &RepeatListModel::readFailed, m_storeTrouble, &StoreTrouble::report);
    m_partialCalls = new PartialCalls(m_services.store, this);
    m_partialList = new PartialListModel(*m_partialCalls, m_services.store, m_repeatList->context(), this);
    connect(m_partialCalls, &PartialCalls::readFailed, m_storeTrouble, &StoreTrouble::report);
    connect(m_partialList, &PartialListModel::readFailed, m_storeTrouble, &StoreTrouble::report);

    m_form = buildMainForm(this, m_log);
    // First of all that listens to the widgets: the state is current for the rest.
    new EntryBinding(*m_entry, m_form, this);
    m_screen = std::make_unique<ScreenMode>(m_form, *m_entry);
    m_context = std::make_unique<EntryContext>(EntryContext{*m_entry, m_form, *m_log, m_services.store,
                                                            m_services.prompts, *m_screen, [this] { return m_layout; },
                                                            m_services.speech ? *m_services.speech : m_describe});
    new EntryKeys(*m_context, this);
    new Recorder(*m_context, this);
    m_editor = new Editor(*m_context, m_services.clock, this);
    m_station = new StationPanel(m_form, m_services.store, m_services.prompts, centralWidget());
    connect(m_station, &StationPanel::openChanged, this, [this](bool open) { m_screen->setStationOpen(open); });
    ReportExport::Hooks hooks;
    hooks.dialogFolder = [] {
        const QString folder = programFolder();
        return StoreFiles::canWriteIn(folder) ? folder : QDir::currentPath();
    };
    hooks.afterWalk = [this](bool reread) {
        if (reread)
            m_log->reload();
        selectRow(*m_context, m_log->rowCount() - 1);
    };
    hooks.webAddress = QString::fromLatin1(kWebAddress);
    hooks.settingsFile = m_services.iniPath;
    m_export = std::make_unique<ReportExport>(m_services.store, m_services.prompts, m_services.clock, this, hooks);
    startTimeSync();
    createActions();
    m_clock = ClockFeature::attach(m_form, m_services.clock, m_services.store, m_services.prompts, this);
    RigFollower::start(readRigSettings(m_settings), *m_entry, m_form, *m_clock, this);

    // Creation steps: layout 0, placement and layout from settings.ini,
    // then the log and the counters.
    m_layout = 0;
    restorePlacement();
    m_actions.entryLayout->setChecked(m_layout != 0);
    applyLayout();
    const bool opened = guarded(m_services.prompts, this, [this] {
        openLog();
        writeCounters(*m_context);
    });
    // The start-up box said why; from now on the fifth panel says what is left to do.
    if (!opened && m_services.store.hasFailed())
        m_form.statusPanel->setText(m_services.store.notOpen());
    else if (!m_services.store.upgradeBackup().isEmpty())
        m_form.statusPanel->setText(QStringLiteral("Журнал обновлён, прежний файл сохранён: ") +
                                    QFileInfo(m_services.store.upgradeBackup()).fileName());
    m_form.heardCall->setFocus();
    // A single fixed border: the window manager can neither resize nor maximise.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(sizeHint());
}

TMain::~TMain() = default;

void TMain::checkRepeats(TRptQso &window)
{
    m_repeatCheck = RepeatFeature::attach(
        *m_entry, m_services.store, *m_repeatList, window,
        [this](RepeatColour colour) {
            if (m_services.sounds && soundOn())
                m_services.sounds->play(colour == RepeatColour::Red ? Sounds::Cue::HeardRepeat
                                                                    : Sounds::Cue::WorkedRepeat);
        },
        this);
    connect(m_repeatCheck, &RepeatCheck::readFailed, m_storeTrouble, &StoreTrouble::report);
}

QString TMain::knownCallsFile() const
{
    // Only the file named in settings.ini is missed aloud.
    const QString named = m_settings.read(Settings::partialFile);
    return knownCallsPath(named, QDir::currentPath(), programFolder());
}

PictureTarget TMain::pictureTarget() const
{
    return {m_export->dialogFolder(), m_services.store.path(), m_services.iniPath};
}

void TMain::startTimeSync()
{
    m_sntp = new TIdSNTP(m_services.clock, m_services.zone, m_services.clockSetter, this);
    // A user behind a firewall can name the time server of the local network.
    m_sntp->Host = m_settings.read(Settings::sntpHost);
    m_sntp->Port = quint16(m_settings.read(Settings::sntpPort));
    m_timeSync = std::make_unique<TimeSyncCommand>(*m_sntp, m_services.prompts, m_form.statusPanel, this);
}

void TMain::restorePlacement()
{
    adjustSize();
    const MainPlacement placement = mainPlacement(m_settings, primaryScreenSize(), frameGeometry().size(), kDesignTop);
    move(placement.topLeft);
    m_layout = placement.layout;
}

void TMain::applyLayout()
{
    placeEntryFields(m_form, m_layout);
    m_actions.entryLayout->setText(m_layout == 0 ? QStringLiteral("Установить окна ввода горизонтально")
                                                 : QStringLiteral("Установить окна ввода вертикально"));
}

void TMain::toggleLayout()
{
    // The menu item's own check mark has already flipped; decide on the
    // layout value so a click always alternates.
    m_layout = m_layout != 0 ? 0 : 1;
    applyLayout();
    m_actions.entryLayout->setChecked(m_layout != 0);
}

void TMain::openLog()
{
    m_log->reload();
    if (m_log->rowCount() > 0) {
        const QModelIndex last = m_log->index(m_log->rowCount() - 1, 0);
        m_form.grid->setCurrentIndex(last);
        m_form.grid->scrollTo(last);
    }
}

bool TMain::soundOn() const
{
    return m_soundSetting ? *m_soundSetting != 0 : m_reader.running();
}

void TMain::saveSettings()
{
    m_settings.write(Settings::mainLeft, x());
    m_settings.write(Settings::mainTop, y());
    m_settings.write(Settings::mainLayout.key, m_layout);
    m_tools->save(m_settings);
    if (!m_settings.save())
        m_services.prompts.error(this, kApplicationTitle, m_settings.error());
}
