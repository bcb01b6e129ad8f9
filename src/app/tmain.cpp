#include "tmain.h"

#include "appicon.h"
#include "clocksource.h"
#include "clockticker.h"
#include "fieldcolours.h"
#include "repeatcheck.h"
#include "repeatlistmodel.h"
#include "trptqso.h"
#include "desktop.h"
#include "editor.h"
#include "entrycontext.h"
#include "entrykeys.h"
#include "recorder.h"
#include "screenmode.h"
#include "reportexport.h"
#include "taboutbox.h"
#include "tidsntp.h"
#include "timeseams.h"
#include "stationpanel.h"
#include "entryedit.h"
#include "fonts.h"
#include "inifile.h"
#include "loggrid.h"
#include "logmodel.h"
#include "placement.h"
#include "prompts.h"
#include "store.h"
#include "storeerror.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace {

constexpr int kClientWidth = 604;
constexpr int kClientHeight = 391;
constexpr int kDesignTop = 110;

const QColor kCream(255, 251, 240);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

QIcon themed(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

struct FieldPlace {
    int left, top, width;
};

// Heard call, report, number; worked call, report, number.
const FieldPlace kHorizontal[6] = {{192, 304, 147}, {340, 304, 51}, {392, 304, 135},
                                   {192, 336, 147}, {340, 336, 51}, {392, 336, 135}};
const FieldPlace kVertical[6] = {{192, 304, 168}, {192, 336, 48}, {240, 336, 120},
                                 {360, 304, 168}, {360, 336, 48}, {408, 336, 120}};

} // namespace

TMain::TMain(const Services &services, QWidget *parent) : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Kalvex Vireok v.1.4"));
    setWindowIcon(appIcon());
    setFont(Fonts::sansSerif(11));
    m_log = new LogModel(m_services.store, this);
    connect(m_log, &LogModel::readFailed, this,
            [this](const QString &text) { m_services.prompts.storeError(this, text); }, Qt::QueuedConnection);

    m_repeatList = new RepeatListModel(
        m_services.store,
        [this] {
            return RepeatContext{m_form.heardCall->text(), m_form.workedCall->text(), m_form.band->currentText(),
                                 m_form.mode->currentText(), m_form.tourNumber->text()};
        },
        this);
    connect(m_repeatList, &RepeatListModel::readFailed, this,
            [this](const QString &text) { m_services.prompts.storeError(this, text); }, Qt::QueuedConnection);

    buildControls();
    buildMenus();
    startClock();
    startEntry();
    startExports();
    startTimeSync();

    // Creation steps: layout 0, placement and layout from settings.ini,
    // then the log and the counters.
    m_layout = 0;
    restorePlacement();
    m_layoutAction->setChecked(m_layout != 0);
    applyLayout();
    guarded([this] {
        openLog();
        refreshCounters();
    });
    m_form.heardCall->setFocus();
    // A single fixed border: the window manager can neither resize nor maximise.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(sizeHint());
}

TMain::~TMain() = default;

void TMain::buildControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    m_form.window = this;

    auto *grid = new LogGrid(client);
    grid->setGeometry(4, 0, 595, 297);
    grid->setModel(m_log);
    const int widths[10] = {45, 25, 80, 45, 75, 40, 65, 75, 40, 75};
    for (int c = 0; c < 10; ++c)
        grid->setColumnWidth(c, widths[c]);
    {
        QPalette p = grid->palette();
        p.setColor(QPalette::Base, kCream);
        p.setColor(QPalette::Mid, QColor(208, 208, 208));
        grid->setPalette(p);
    }
    m_form.grid = grid;

    buildEntryPanel(client);

    auto entry = [client](EntryField role) {
        auto *e = new EntryEdit(role, client);
        e->setFont(Fonts::verdana(19));
        return e;
    };
    m_form.heardCall = entry(EntryField::HeardCall);
    m_form.heardReport = entry(EntryField::HeardReport);
    m_form.heardNumber = entry(EntryField::HeardNumber);
    m_form.workedCall = entry(EntryField::WorkedCall);
    m_form.workedReport = entry(EntryField::WorkedReport);
    m_form.workedNumber = entry(EntryField::WorkedNumber);

    auto pushButton = [client](const QString &caption) {
        auto *b = new QPushButton(caption, client);
        b->setGeometry(564, 304, 30, 60);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setCursor(Qt::PointingHandCursor);
        // Enter on the focused button presses it, as Space does: a QSO is
        // confirmed without leaving the keyboard.
        b->setAutoDefault(true);
        return b;
    };
    m_form.ok = pushButton(QStringLiteral("OK"));

    auto selector = [client](const QStringList &items, int current, int left, int width) {
        auto *c = new QComboBox(client);
        c->setEditable(true);
        c->addItems(items);
        c->setCurrentIndex(current);
        c->setFont(Fonts::tahoma(13, true));
        c->setGeometry(left, 340, width, 21);
        c->setFocusPolicy(Qt::ClickFocus);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    m_form.mode = selector({"CW", "PH"}, 0, 130, 60);
    m_form.band = selector({"1800", "3500", "7000", "14000", "21000", "28000", "144", "432"}, 3, 62, 67);

    auto yellowField = [client](int left, int width) {
        auto *e = new QLineEdit(client);
        e->setGeometry(left, 304, width, 28);
        e->setFont(Fonts::tahoma(19));
        FieldColours::paint(e, FieldColours::yellow);
        e->hide();
        return e;
    };
    m_form.dateField = yellowField(12, 115);
    m_form.timeField = yellowField(128, 60);
    m_form.editOk = pushButton(QStringLiteral("OK"));
    m_form.editOk->hide();

    m_form.utcDate = new QLineEdit(client);
    m_form.utcDate->setGeometry(6, 278, 85, 13);
    m_form.utcDate->setFocusPolicy(Qt::NoFocus);
    m_form.utcDate->hide();
    m_form.utcTime = new QLineEdit(client);
    m_form.utcTime->setGeometry(92, 278, 53, 15);
    m_form.utcTime->setFocusPolicy(Qt::NoFocus);
    m_form.utcTime->hide();

    auto *tourNumber = new QLineEdit(QStringLiteral("0"), client);
    tourNumber->setGeometry(110, 304, 11, 17);
    tourNumber->setFrame(false);
    tourNumber->setFont(Fonts::sansSerif(13, true));
    tourNumber->setTextMargins(0, 0, 0, 0);
    {
        QPalette p = tourNumber->palette();
        p.setColor(QPalette::Text, kGreen);
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        tourNumber->setPalette(p);
    }
    m_form.tourNumber = tourNumber;

    m_form.manualOk = pushButton(QStringLiteral("ОК"));
    m_form.manualOk->hide();

    // Five status panels: local date, local time, QSO, points, mode/outcome.
    auto *status = new QFrame(client);
    status->setGeometry(0, 372, kClientWidth, 19);
    const int panelWidths[5] = {65, 90, 75, 80, kClientWidth - 310};
    int left = 0;
    for (int i = 0; i < 5; ++i) {
        auto *p = new QLabel(status);
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setGeometry(left, 0, panelWidths[i], 19);
        p->setAlignment((i < 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        p->setIndent(2);
        m_form.panel[i] = p;
        left += panelWidths[i];
    }

    // The tab order of the window; the selectors and the UTC texts take no tab.
    QWidget *order[] = {m_form.heardCall,  m_form.heardReport, m_form.heardNumber, m_form.workedCall,
                        m_form.workedReport, m_form.workedNumber, m_form.ok,        m_form.mode,
                        m_form.band,       m_form.dateField,
                        m_form.timeField,  m_form.editOk,      grid,               m_form.rst,
                        m_form.tour,       m_form.swl,         m_form.copy,        m_form.swap,
                        m_form.clear,      m_form.tourNumber,  m_form.manualOk};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TMain::buildEntryPanel(QWidget *client)
{
    auto *panel = new QFrame(client);
    panel->setGeometry(4, 294, 595, 75);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // It lies over the grid's last pixels and must hide them.
    panel->setAutoFillBackground(true);

    auto check = [panel](const QString &caption, bool ticked, int left, int top, int width, int height) {
        auto *c = new QCheckBox(caption, panel);
        c->setGeometry(left, top, width, height);
        c->setChecked(ticked);
        return c;
    };
    m_form.rst = check(QStringLiteral("RST"), true, 8, 38, 45, 19);
    m_form.tour = check(QStringLiteral("TOUR"), false, 8, 10, 53, 17);
    m_form.swl = check(QStringLiteral("SWL"), true, 8, 24, 51, 17);
    m_form.copy = check(QStringLiteral("COPY"), false, 8, 54, 50, 17);
    m_form.edit = check(QStringLiteral("edit"), false, 8, 66, 45, 17);
    m_form.edit->hide();

    auto picture = [panel](const QIcon &icon, const QString &tip, int top) {
        auto *b = new QPushButton(panel);
        b->setGeometry(528, top, 28, 28);
        b->setIcon(icon);
        b->setToolTip(tip);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        return b;
    };
    m_form.swap = picture(themed("object-flip-vertical", QStyle::SP_BrowserReload),
                          QStringLiteral("F1: Рокировка heard и worked станций"), 10);
    m_form.clear = picture(themed("edit-clear", QStyle::SP_DialogResetButton),
                           QStringLiteral("F2: Очистить все окна"), 42);

    auto label = [panel](const QString &text, const QRect &place, const QColor &colour, const QFont &font,
                         Qt::Alignment align) {
        auto *l = new QLabel(text, panel);
        l->setGeometry(place);
        l->setFont(font);
        l->setAlignment(align | Qt::AlignVCenter);
        setTextColour(l, colour);
        return l;
    };
    m_form.tourCaption = label(QStringLiteral("Tour:"), {72, 12, 31, 13}, kGreen, Fonts::sansSerif(11), Qt::AlignRight);
    m_form.tourTime = label(QStringLiteral("00:00:00"), {124, 10, 60, 14}, kGreen, Fonts::sansSerif(13, true),
                            Qt::AlignRight);
    m_form.utcCaption = label(QStringLiteral("UTC:"), {90, 30, 25, 13}, kBlue, Fonts::sansSerif(11), Qt::AlignLeft);
    m_form.utcClock = label(QStringLiteral("00:00:00"), {124, 28, 60, 16}, kBlue, Fonts::sansSerif(13, true),
                            Qt::AlignRight);
}

void TMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    const QIcon exportIcon = themed("document-save-as", QStyle::SP_DialogSaveButton);

    QMenu *log = bar->addMenu(QStringLiteral("Журнал"));
    log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: CABRILLO"));
    log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ЕРМАК"));
    log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ADIF"));
    log->addSeparator();
    log->addAction(themed("edit-clear-all", QStyle::SP_TrashIcon), QStringLiteral("Очистить лог"));
    log->addSeparator();
    log->addAction(themed("application-exit", QStyle::SP_DialogCloseButton), QStringLiteral("Выход"), this,
                   &QWidget::close);

    QMenu *settings = bar->addMenu(QStringLiteral("Установки"));
    settings->addAction(themed("user-info", QStyle::SP_FileDialogInfoView), QStringLiteral("Сведения о станции"));
    settings->addSeparator();
    m_layoutAction = settings->addAction(QStringLiteral("Установить окна ввода"));
    m_layoutAction->setCheckable(true);
    connect(m_layoutAction, &QAction::triggered, this, [this] { toggleLayout(); });
    settings->addSeparator();
    settings->addAction(themed("preferences-system-time", QStyle::SP_BrowserReload),
                        QStringLiteral("Синхронизировать  время ч/з интернет"));

    QAction *contests = bar->addAction(QStringLiteral("Соревнования"));
    connect(contests, &QAction::triggered, this, [this] {
        if (m_contest)
            m_contest->exec();
    });

    QMenu *windows = bar->addMenu(QStringLiteral("Окна"));
    m_repeatAction = windows->addAction(QStringLiteral("Повторные связи"));
    m_repeatAction->setCheckable(true);
    connect(m_repeatAction, &QAction::triggered, this, [this] { toggleRepeatWindow(); });

    QMenu *help = bar->addMenu(QStringLiteral("Справка"));
    help->addAction(QStringLiteral("Руководство пользователя"), this,
                    [this] { m_services.desktop.openDocument(QStringLiteral("manual.pdf")); });
    help->addAction(QStringLiteral("О программе"), this, [this] {
        if (m_about)
            m_about->exec();
    });

    m_form.menus = {log->menuAction(), settings->menuAction(), contests, windows->menuAction(), help->menuAction()};

    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("gridMenu"));
    popup->addAction(themed("document-edit", QStyle::SP_FileDialogDetailedView), QStringLiteral("Редактировать запись"));
    popup->addAction(themed("edit-delete", QStyle::SP_DialogDiscardButton), QStringLiteral("Удалить запись"));
    connect(m_form.grid, &LogGrid::contextMenuRequested, popup, [popup](const QPoint &at) { popup->popup(at); });
}

QAction *TMain::action(const QString &caption) const
{
    for (QAction *a : findChildren<QAction *>())
        if (a->text() == caption)
            return a;
    return nullptr;
}

void TMain::setRepeatWindow(TRptQso *repeats)
{
    m_repeats = repeats;
    IniFile ini(m_services.iniPath);
    ini.load();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect place = repeatWindowPlacement(ini, screen ? screen->geometry().size() : QSize(1024, 768),
                                              QRect(repeats->pos().x(), 557, 384, 292));
    repeats->move(place.topLeft());
    repeats->resize(place.size());

    m_repeatCheck = new RepeatCheck({m_form.heardCall, m_form.heardReport, m_form.workedCall, m_form.workedReport,
                                     m_form.band, m_form.mode, m_form.tourNumber, m_form.rst, m_form.swl,
                                     m_form.copy, m_form.edit},
                                    m_services.store, *m_repeatList, *repeats, m_services.prompts, this);
    connect(m_form.heardCall, &QLineEdit::textChanged, m_repeatCheck, &RepeatCheck::heardCallChanged);
    connect(m_form.workedCall, &QLineEdit::textChanged, m_repeatCheck, &RepeatCheck::workedCallChanged);
    connect(m_form.band, &QComboBox::currentTextChanged, repeats, &TRptQso::repaintMarks);
    connect(m_form.mode, &QComboBox::currentTextChanged, repeats, &TRptQso::repaintMarks);
    connect(m_form.tourNumber, &QLineEdit::textChanged, repeats, &TRptQso::repaintMarks);
}

void TMain::startEntry()
{
    m_screen = std::make_unique<ScreenMode>(m_form);
    m_context = std::make_unique<EntryContext>(
        EntryContext{m_form, *m_log, m_services.store, m_services.prompts, *m_screen, [this] { return m_layout; }});
    m_keys = new EntryKeys(*m_context, this);
    m_recorder = new Recorder(*m_context, this);
    m_editor = new Editor(*m_context, this);
    m_station = new StationPanel(m_form, m_services.store, m_services.prompts, centralWidget());
    connect(m_station, &StationPanel::openChanged, this, [this](bool open) { m_screen->setStationOpen(open); });
    connect(action(QStringLiteral("Сведения о станции")), &QAction::triggered, m_station, &StationPanel::open);
    connect(action(QStringLiteral("Очистить лог")), &QAction::triggered, m_editor, &Editor::clearLog);
    connect(action(QStringLiteral("Редактировать запись")), &QAction::triggered, m_editor, &Editor::editRecord);
    connect(action(QStringLiteral("Удалить запись")), &QAction::triggered, m_editor, &Editor::deleteRecord);
}

void TMain::startExports()
{
    ReportExport::Hooks hooks;
    hooks.dialogFolder = [] {
        const QString programFolder = QCoreApplication::applicationDirPath();
        return QFileInfo(programFolder).isWritable() ? programFolder : QDir::currentPath();
    };
    hooks.afterWalk = [this](bool reread) {
        if (reread)
            m_log->reload();
        selectRow(*m_context, m_log->rowCount() - 1);
    };
    hooks.webAddress = QString::fromLatin1(kWebAddress);
    m_export = std::make_unique<ReportExport>(m_services.store, m_services.prompts, m_services.clock, this, hooks);
    connect(action(QStringLiteral("Выгрузить лог -> формат: CABRILLO")), &QAction::triggered, this,
            [this] { m_export->cabrillo(); });
    connect(action(QStringLiteral("Выгрузить лог -> формат: ЕРМАК")), &QAction::triggered, this,
            [this] { m_export->ermak(); });
    connect(action(QStringLiteral("Выгрузить лог -> формат: ADIF")), &QAction::triggered, this,
            [this] { m_export->adif(); });
}

void TMain::startTimeSync()
{
    m_sntp = new TIdSNTP(m_services.clock, m_services.zone, m_services.clockSetter, this);
    // A user behind a firewall can name the time server of the local network.
    IniFile ini(m_services.iniPath);
    ini.load();
    if (const auto host = ini.readText(QStringLiteral("SNTP"), QStringLiteral("Host")); host && !host->isEmpty()) {
        m_sntp->Host = *host;
        const int port = ini.readInt(QStringLiteral("SNTP"), QStringLiteral("Port")).value_or(123);
        if (port > 0 && port < 65536)
            m_sntp->Port = quint16(port);
    }
    connect(action(QStringLiteral("Синхронизировать  время ч/з интернет")), &QAction::triggered, this,
            &TMain::synchroniseTime);
}

void TMain::synchroniseTime()
{
    m_form.panel[4]->setText(QStringLiteral("Синхронизация времени... подождите!"));
    m_form.panel[4]->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool synchronised = false;
    try {
        synchronised = m_sntp->SynchroniseClock();
    } catch (const SntpError &) {
        synchronised = false;
    }
    QApplication::restoreOverrideCursor();
    if (synchronised) {
        m_services.prompts.inform(this, QStringLiteral("Синхронизация времени с сервером времени прошла успешно!"));
        m_form.panel[4]->setText(QStringLiteral("ОК"));
        return;
    }
    m_form.panel[4]->setText(QStringLiteral("Ошибка соединения с сервером времени"));
    m_services.prompts.inform(this, QStringLiteral("Ошибка при попытке синхронизации времени с сервером!\n\r"
                                                   "Проверьте соединение с интернет каналом."));
}

void TMain::startClock()
{
    const ClockWidgets widgets{m_form.utcDate,   m_form.utcTime, m_form.utcClock, m_form.tourTime,
                               m_form.tourNumber, m_form.tour,   m_form.panel[0], m_form.panel[1]};
    m_clock = new ClockTicker(widgets, m_services.clock, m_services.prompts,
                              [this] {
                                  const Record log = m_services.store.readLog();
                                  QStringList times;
                                  for (const char *field : {"TUR1B", "TUR1E", "TUR2B", "TUR2E", "TUR3B", "TUR3E",
                                                            "TUR4B", "TUR4E"})
                                      times << log.value(QString::fromLatin1(field));
                                  return times;
                              },
                              this);
    connect(m_form.tour, &QCheckBox::clicked, m_clock, &ClockTicker::tourToggled);
    m_clock->start();
}

void TMain::restorePlacement()
{
    IniFile ini(m_services.iniPath);
    ini.load();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    adjustSize();
    const MainPlacement placement = mainPlacement(ini, screenSize, frameGeometry().size(), kDesignTop);
    move(placement.topLeft);
    m_layout = placement.layout;
}

void TMain::applyLayout()
{
    const auto &places = m_layout == 0 ? kHorizontal : kVertical;
    const QVector<EntryEdit *> fields = m_form.entryFields();
    for (int i = 0; i < 6; ++i)
        fields[i]->setGeometry(places[i].left, places[i].top, places[i].width, 28);
    m_layoutAction->setText(m_layout == 0 ? QStringLiteral("Установить окна ввода горизонтально")
                                          : QStringLiteral("Установить окна ввода вертикально"));
}

void TMain::toggleLayout()
{
    // The menu item's own check mark has already flipped; decide on the
    // layout value so a click always alternates.
    m_layout = m_layout != 0 ? 0 : 1;
    applyLayout();
    m_layoutAction->setChecked(m_layout != 0);
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

void TMain::refreshCounters()
{
    writeCounters(*m_context);
}

void TMain::toggleRepeatWindow()
{
    if (!m_repeats)
        return;
    // The mark, not the window's visibility, decides: closing the window with
    // its own close button leaves the mark as it was.
    if (!m_repeatAction->isChecked()) {
        m_repeats->hide();
    } else {
        m_repeats->show();
    }
}

bool TMain::guarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const StoreError &e) {
        m_services.prompts.storeError(this, e.text());
        return false;
    }
}

void TMain::saveSettings()
{
    saveSection(QStringLiteral("Main"), {{"Left", x()}, {"Top", y()}, {"Position", m_layout}});
    if (m_repeats)
        saveSection(QStringLiteral("RptQso"), {{"Left", m_repeats->x()},
                                               {"Top", m_repeats->y()},
                                               {"Height", m_repeats->height()},
                                               {"Width", m_repeats->width()}});
}

void TMain::saveSection(const QString &section, const QVector<QPair<QString, int>> &keys)
{
    IniFile ini(m_services.iniPath);
    ini.load();
    for (const auto &key : keys)
        ini.writeInt(section, key.first, key.second);
    if (!ini.save())
        m_services.prompts.error(this, kApplicationTitle, ini.error());
}
