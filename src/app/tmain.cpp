#include "tmain.h"

#include "appicon.h"
#include "mainformbuilder.h"
#include "placement.h"
#include "programfolder.h"
#include "rigini.h"
#include "taboutbox.h"
#include "toolwindows.h"

#include "clock/clockticker.h"
#include "entry/editor.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/entrykeys.h"
#include "entry/logmodel.h"
#include "entry/recorder.h"
#include "entry/screenmode.h"
#include "export/reportexport.h"
#include "fonts/fonts.h"
#include "form/loggrid.h"
#include "partial/knowncalls.h"
#include "partial/partialcalls.h"
#include "partial/partialfollower.h"
#include "partial/partiallistmodel.h"
#include "partial/tpartial.h"
#include "repeats/repeatcheck.h"
#include "repeats/repeatlistmodel.h"
#include "repeats/trptqso.h"
#include "rig/rigfollower.h"
#include "seams/clocksource.h"
#include "seams/desktop.h"
#include "seams/prompts.h"
#include "seams/sounds.h"
#include "setup/stationpanel.h"
#include "stats/tstats.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/storeerror.h"
#include "store/storefiles.h"
#include "store/storeguard.h"
#include "timesync/tidsntp.h"
#include "timesync/timesynccommand.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace {
constexpr int kDesignTop = 110;

QSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}
} // namespace

TMain::TMain(const Services &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_settings(services.iniPath)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Kalvex Vireok v.1.4"));
    setWindowIcon(appIcon());
    setFont(Fonts::sansSerif(11));
    m_settings.load();
    m_soundSetting = m_settings.readInt(QStringLiteral("Access"), QStringLiteral("Sound"));
    const auto showStoreError = [this](const QString &text) { m_services.prompts.storeError(this, text); };
    m_log = new LogModel(m_services.store, this);
    connect(m_log, &LogModel::readFailed, this, showStoreError, Qt::QueuedConnection);
    m_repeatList = new RepeatListModel(
        m_services.store,
        [this] {
            return RepeatContext{m_form.heardCall->text(), m_form.workedCall->text(), m_form.band->currentText(),
                                 m_form.mode->currentText(), m_form.tourNumber->text()};
        },
        this);
    connect(m_repeatList, &RepeatListModel::readFailed, this, showStoreError, Qt::QueuedConnection);
    m_partialCalls = new PartialCalls(m_services.store, this);
    m_partialList = new PartialListModel(*m_partialCalls, m_services.store, m_repeatList->context(), this);

    m_form = buildMainForm(this, m_log);
    m_screen = std::make_unique<ScreenMode>(m_form);
    m_context = std::make_unique<EntryContext>(EntryContext{m_form, *m_log, m_services.store, m_services.prompts,
                                                            *m_screen, [this] { return m_layout; },
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
    startClock();
    RigFollower::start(readRigSettings(m_settings), m_form, *m_screen, *m_clock, this);

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

void TMain::createActions()
{
    MainActions &a = m_actions;
    QMenuBar *bar = menuBar();
    const QIcon exportIcon = themedIcon("document-save-as", QStyle::SP_DialogSaveButton);

    QMenu *log = bar->addMenu(QStringLiteral("Журнал"));
    a.exportCabrillo = log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: CABRILLO"), this,
                                      [this] { m_export->cabrillo(); });
    a.exportErmak = log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ЕРМАК"), this,
                                   [this] { m_export->ermak(); });
    a.exportAdif =
        log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ADIF"), this, [this] { m_export->adif(); });
    log->addSeparator();
    a.clearLog = log->addAction(themedIcon("edit-clear-all", QStyle::SP_TrashIcon), QStringLiteral("Очистить лог"),
                                m_editor, &Editor::clearLog);
    log->addSeparator();
    a.exit = log->addAction(themedIcon("application-exit", QStyle::SP_DialogCloseButton), QStringLiteral("Выход"), this,
                            &QWidget::close);

    QMenu *settings = bar->addMenu(QStringLiteral("Установки"));
    a.station = settings->addAction(themedIcon("user-info", QStyle::SP_FileDialogInfoView),
                                    QStringLiteral("Сведения о станции"), m_station, &StationPanel::open);
    settings->addSeparator();
    a.entryLayout = settings->addAction(QStringLiteral("Установить окна ввода"), this, &TMain::toggleLayout);
    a.entryLayout->setCheckable(true);
    settings->addSeparator();
    a.timeSync = settings->addAction(themedIcon("preferences-system-time", QStyle::SP_BrowserReload),
                                     QStringLiteral("Синхронизировать  время ч/з интернет"), this,
                                     [this] { m_timeSync->run(); });

    a.contests = bar->addAction(QStringLiteral("Соревнования"));
    connect(a.contests, &QAction::triggered, this, [this] {
        if (m_contest)
            m_contest->exec();
    });

    QMenu *windows = bar->addMenu(QStringLiteral("Окна"));
    m_tools = new ToolWindows(*this, m_form, m_settings, windows, a);

    QMenu *help = bar->addMenu(QStringLiteral("Справка"));
    a.manual = help->addAction(QStringLiteral("Руководство пользователя"), this,
                               [this] { m_services.desktop.openDocument(manualToOpen(m_services.manualFolders)); });
    a.about = help->addAction(QStringLiteral("О программе"), this, [this] {
        if (m_about)
            m_about->exec();
    });

    m_form.logMenu = log->menuAction();
    m_form.settingsMenu = settings->menuAction();
    m_form.contestsMenu = a.contests;
    m_form.windowsMenu = windows->menuAction();
    m_form.helpMenu = help->menuAction();

    a.gridMenu = new QMenu(this);
    a.gridMenu->setObjectName(QStringLiteral("gridMenu"));
    a.editRecord = a.gridMenu->addAction(themedIcon("document-edit", QStyle::SP_FileDialogDetailedView),
                                         QStringLiteral("Редактировать запись"), m_editor, &Editor::editRecord);
    a.deleteRecord = a.gridMenu->addAction(themedIcon("edit-delete", QStyle::SP_DialogDiscardButton),
                                           QStringLiteral("Удалить запись"), m_editor, &Editor::deleteRecord);
    connect(m_form.grid, &LogGrid::contextMenuRequested, a.gridMenu,
            [menu = a.gridMenu](const QPoint &at) { menu->popup(at); });

    // A command run from the keyboard leaves the focus in the menu bar, and
    // the next call typed would be lost there: after each one (connected
    // last, so after its window has closed) typing goes on in the entry. The
    // station panel takes the focus for its own fields.
    for (QAction *item : bar->actions()) {
        const QList<QAction *> commands = item->menu() ? item->menu()->actions() : QList<QAction *>{item};
        for (QAction *command : commands)
            if (command != a.station)
                connect(command, &QAction::triggered, this, &TMain::backToEntry);
    }
}

void TMain::backToEntry()
{
    // A tool window the command showed may have taken the activation: it keeps it.
    if (m_screen->state().stationOpen || (QApplication::activeWindow() && !isActiveWindow()))
        return;
    // The window a closed box leaves behind is not always activated again.
    activateWindow();
    entryCallField(m_form)->setFocus();
}

void TMain::setRepeatWindow(TRptQso *repeats)
{
    m_tools->attach(QStringLiteral("RptQso"), repeats);

    m_repeatCheck = new RepeatCheck({m_form.heardCall, m_form.heardReport, m_form.workedCall, m_form.workedReport,
                                     m_form.band, m_form.mode, m_form.tourNumber, m_form.rst, &m_screen->state()},
                                    m_services.store, *m_repeatList, *repeats, m_services.prompts, this);
    connect(m_form.heardCall, &QLineEdit::textChanged, m_repeatCheck, &RepeatCheck::heardCallChanged);
    connect(m_form.workedCall, &QLineEdit::textChanged, m_repeatCheck, &RepeatCheck::workedCallChanged);
    connect(m_repeatCheck, &RepeatCheck::becameRepeat, this, [this](RepeatColour colour) {
        if (m_services.sounds && soundOn())
            m_services.sounds->play(colour == RepeatColour::Red ? Sounds::Cue::HeardRepeat : Sounds::Cue::WorkedRepeat);
    });
    connect(m_form.band, &QComboBox::currentTextChanged, repeats, &TRptQso::repaintMarks);
    connect(m_form.mode, &QComboBox::currentTextChanged, repeats, &TRptQso::repaintMarks);
    connect(m_form.tourNumber, &QLineEdit::textChanged, repeats, &TRptQso::repaintMarks);
}

void TMain::setPartialWindow(TPartial *partial)
{
    m_tools->attach(QStringLiteral("Partial"), partial);

    new PartialFollower(m_form.heardCall, m_form.workedCall, m_form.swl, *m_partialList, *partial, this);
    connect(m_partialCalls, &PartialCalls::changed, m_partialList, &PartialListModel::refresh);
    connect(m_partialCalls, &PartialCalls::fileFailed, m_form.statusPanel, &QLabel::setText);
    connect(m_log, &LogModel::callsChanged, m_partialCalls, &PartialCalls::logChanged);
    connect(m_log, &LogModel::modelReset, m_partialCalls, &PartialCalls::reloadLog);
    connect(m_form.band, &QComboBox::currentTextChanged, m_partialList, &PartialListModel::contextChanged);
    connect(m_form.mode, &QComboBox::currentTextChanged, m_partialList, &PartialListModel::contextChanged);
    connect(m_form.tourNumber, &QLineEdit::textChanged, m_partialList, &PartialListModel::contextChanged);
    // Only the file named in settings.ini is missed aloud.
    const QString named = m_settings.readText(QStringLiteral("Partial"), QStringLiteral("File")).value_or(QString());
    m_partialCalls->load(knownCallsPath(named, QDir::currentPath(), programFolder()));
}

void TMain::setStatsWindow(TStats *stats)
{
    m_tools->attach(QStringLiteral("Stats"), stats);
    QStringList bands;
    for (int i = 0; i < m_form.band->count(); ++i)
        bands << m_form.band->itemText(i);
    stats->setBandOrder(bands);
    stats->setPictureTarget({m_export->dialogFolder(), m_services.store.path(), m_services.iniPath});
    connect(m_clock, &ClockTicker::ticked, stats, &TStats::tick);
}

void TMain::startTimeSync()
{
    m_sntp = new TIdSNTP(m_services.clock, m_services.zone, m_services.clockSetter, this);
    // A user behind a firewall can name the time server of the local network.
    const QString section = QStringLiteral("SNTP");
    if (const auto host = m_settings.readText(section, QStringLiteral("Host")); host && !host->isEmpty()) {
        m_sntp->Host = *host;
        const int port = m_settings.readInt(section, QStringLiteral("Port")).value_or(123);
        if (port > 0 && port < 65536)
            m_sntp->Port = quint16(port);
    }
    m_timeSync = std::make_unique<TimeSyncCommand>(*m_sntp, m_services.prompts, m_form.statusPanel, this);
}

void TMain::startClock()
{
    const ClockWidgets widgets{m_form.utcDate,        m_form.utcTime,        m_form.utcClock,
                               m_form.tourTime,       m_form.tourNumber,     m_form.tour,
                               m_form.localDatePanel, m_form.localTimePanel, m_form.statusPanel};
    m_clock = new ClockTicker(
        widgets, m_services.clock, m_services.prompts,
        [this]() -> std::optional<QStringList> {
            QStringList times;
            const bool read = guarded(m_services.prompts, this, [&] {
                const Record log = m_services.store.readLog();
                for (const QString &field : Schema::tourFields())
                    times << log.value(field);
            });
            return read ? std::optional(times) : std::nullopt;
        },
        this);
    connect(m_form.tour, &QCheckBox::clicked, m_clock, &ClockTicker::tourToggled);
    m_clock->start();
}

void TMain::restorePlacement()
{
    adjustSize();
    const MainPlacement placement = mainPlacement(m_settings, screenSize(), frameGeometry().size(), kDesignTop);
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
    const QString main = QStringLiteral("Main");
    m_settings.writeInt(main, QStringLiteral("Left"), x());
    m_settings.writeInt(main, QStringLiteral("Top"), y());
    m_settings.writeInt(main, QStringLiteral("Position"), m_layout);
    m_tools->save(m_settings);
    if (!m_settings.save())
        m_services.prompts.error(this, kApplicationTitle, m_settings.error());
}
