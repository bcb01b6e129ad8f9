#include "mainfixture.h"
#include "rawdb.h"
#include "smalldisk.h"

#include "app/application.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "partial/partialwindow.h"
#include "settings/placement.h"
#include "setup/tcontest.h"
#include "stats/statswindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void countersShowQsosAndPoints();
    void emptyLogShowsZeroCounters();
    void millionQsoCountersFitTheirPanels();
    void longOutcomeIsShownWholeOnHover();
    void layoutItemAlternatesAndKeepsTexts();
    void savedVerticalLayoutIsWrittenBackUnchanged();
    void menusCarryTheirCaptions();
    void manualIsLookedForInTheWorkingDirectoryFirst_data();
    void manualIsLookedForInTheWorkingDirectoryFirst();
    void foreignStoreShowsTheErrorAndTheWindowStillOpens();
    void frameIsFixedAndThePanelCoversTheGrid();
    void storeLockedAtStartStaysFailedForTheRun();
    void upgradedStoreNamesTheKeptOldFile();
    void toolWindowsOpenClearOfTheEntry_data();
    void toolWindowsOpenClearOfTheEntry();
    void toolWindowsOpenedByTheMenuLeaveTheEntryInSight();
    void typingGoesOnAfterAWindowOpenedFromTheMenu();
    void fullDiskKeepsTheOldFileAndSaysSo_data();
    void fullDiskKeepsTheOldFileAndSaysSo();
    void upgradeOnAFullDiskSaysWhatToDoAndKeepsOneCopy();
};

struct Fixture : MainFixture {};

void MainWindowTest::typingGoesOnAfterAWindowOpenedFromTheMenu()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    // "Соревнования" by keyboard: Alt into the menu bar, two to the right, Enter.
    QTimer::singleShot(300, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    QTest::keyClick(f.focused(), Qt::Key_Alt);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
        QTest::keyClick(f.focused(), key);
    QTRY_COMPARE(f.focused(), static_cast<QWidget *>(f.form().heardCall));
    QTest::keyClicks(f.focused(), "ua1a");
    QCOMPARE(f.form().heardCall->text(), QString("UA1A"));
}

void MainWindowTest::countersShowQsosAndPoints()
{
    Fixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "15"));
    f.store.addQso(makeQso("UA1B", "002"));
    f.store.addQso(makeQso("UA1C", "003"));
    TMain &main = f.open();
    QCOMPARE(main.form().qsoPanel->text(), QString("QSO: 3"));
    QCOMPARE(main.form().pointsPanel->text(), QString("Points: 5"));
    QCOMPARE(main.form().grid->currentIndex().row(), 2);
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void MainWindowTest::emptyLogShowsZeroCounters()
{
    Fixture f;
    TMain &main = f.open();
    QCOMPARE(main.form().qsoPanel->text(), QString("QSO: 0"));
    QCOMPARE(main.form().pointsPanel->text(), QString("Points: 0"));
    QCOMPARE(main.form().statusPanel->text(), QString());
}

void MainWindowTest::millionQsoCountersFitTheirPanels()
{
    setUpApplication(); // the program's own faces decide what fits
    Fixture f;
    f.store.addQso(TestQso().heard("UA0", "1").worked("RA3B", "15"));
    QVERIFY(RawDb(f.folder.storePath())
                .exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 999999) "
                      "INSERT INTO qso (band, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, tur) "
                      "SELECT '14000', 'CW', '2026-12-06', '0915', 'UA' || i, '599', i, 'RA3B', '599', '15', '0' "
                      "FROM n"));
    const MainForm &m = f.open().form();
    QCOMPARE(m.qsoPanel->text(), QString("QSO: 1000000"));
    QCOMPARE(m.pointsPanel->text(), QString("Points: 3000000"));
    int left = 0;
    for (const QLabel *p : {m.localDatePanel, m.localTimePanel, m.qsoPanel, m.pointsPanel, m.statusPanel}) {
        QCOMPARE(p->x(), left);
        left += p->width();
    }
    QCOMPARE(left, m.statusPanel->parentWidget()->width());
    for (const QLabel *p : {m.qsoPanel, m.pointsPanel})
        QVERIFY2(p->fontMetrics().horizontalAdvance(p->text()) + 2 * p->indent() <= p->contentsRect().width(),
                 qPrintable(p->text()));
}

// The last panel is as wide as the window leaves it: a refused known-calls
// file in a deep folder lost its reason, and nothing showed more.
void MainWindowTest::longOutcomeIsShownWholeOnHover()
{
    setUpApplication();
    Fixture f;
    QLabel *panel = f.open().form().statusPanel;
    QVERIFY(f.showActive());
    const auto hover = [panel] {
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), panel->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(panel, &help);
    };
    const QString refused = "Файл позывных /home/swl/Соревнования/2026/Кубок/MASTER.SCP не загружен: это не "
                            "обычный файл (устройство, канал или папка)";
    panel->setText(refused);
    hover();
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), refused);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    panel->setText("OK");
    hover();
    QVERIFY(!QToolTip::isVisible());
}

void MainWindowTest::layoutItemAlternatesAndKeepsTexts()
{
    Fixture f;
    TMain &main = f.open();
    const MainForm &form = main.form();
    form.heardCall->setText("UA1A");
    QCOMPARE(main.actions().entryLayout->text(), QString("Установить окна ввода горизонтально"));
    QVERIFY(!main.actions().entryLayout->isChecked());
    QCOMPARE(form.workedCall->geometry(), QRect(192, 336, 147, 28));

    main.actions().entryLayout->trigger();
    QCOMPARE(main.entryLayout(), 1);
    QVERIFY(main.actions().entryLayout->isChecked());
    QCOMPARE(main.actions().entryLayout->text(), QString("Установить окна ввода вертикально"));
    QCOMPARE(form.workedCall->geometry(), QRect(360, 304, 168, 28));
    QCOMPARE(form.heardNumber->geometry(), QRect(240, 336, 120, 28));

    main.actions().entryLayout->trigger();
    QCOMPARE(main.entryLayout(), 0);
    QVERIFY(!main.actions().entryLayout->isChecked());
    QCOMPARE(form.workedCall->geometry(), QRect(192, 336, 147, 28));
    QCOMPARE(form.heardCall->text(), QString("UA1A"));
}

void MainWindowTest::savedVerticalLayoutIsWrittenBackUnchanged()
{
    Fixture f;
    writeIni(f.folder, "[Main]\r\nLeft=20\r\nTop=30\r\nPosition=2\r\n");
    {
        TMain &main = f.open();
        QCOMPARE(main.entryLayout(), 2);
        QVERIFY(main.actions().entryLayout->isChecked());
        QCOMPARE(main.pos(), QPoint(20, 30));
        f.program->saveSettings();
    }
    QFile ini(f.folder.file("settings.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("Position=2\r\n"));
}

void MainWindowTest::menusCarryTheirCaptions()
{
    Fixture f;
    TMain &main = f.open();
    QStringList bar;
    for (QAction *a : main.menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, QStringList({"Журнал", "Установки", "Соревнования", "Окна", "Справка"}));
    const MainActions &a = main.actions();
    const QList<QPair<QAction *, QString>> commands = {
        {a.exportCabrillo, "Выгрузить лог -> формат: CABRILLO"},
        {a.exportErmak, "Выгрузить лог -> формат: ЕРМАК"},
        {a.exportAdif, "Выгрузить лог -> формат: ADIF"},
        {a.clearLog, "Очистить лог"},
        {a.exit, "Выход"},
        {a.station, "Сведения о станции"},
        {a.timeSync, "Синхронизировать  время ч/з интернет"},
        {a.repeatWindow, "Повторные связи"},
        {a.statsWindow, "Статистика"},
        {a.manual, "Руководство пользователя"},
        {a.about, "О программе"},
        {a.editRecord, "Редактировать запись"},
        {a.deleteRecord, "Удалить запись"},
    };
    for (const auto &[action, caption] : commands)
        QCOMPARE(action->text(), caption);
    QVERIFY(!a.clearLog->icon().isNull());
    // The swap button and the clock's item do not share a picture.
    QVERIFY(main.form().swap->icon().pixmap(16).toImage() != a.timeSync->icon().pixmap(16).toImage());
}

void MainWindowTest::manualIsLookedForInTheWorkingDirectoryFirst_data()
{
    // Which of the working directory, the program's folder and the installed
    // folder hold a manual.pdf, and the one that the desktop is asked to open.
    QTest::addColumn<bool>("inWorking");
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("opened");
    QTest::newRow("everywhere") << true << true << true << "manual.pdf";
    QTest::newRow("beside the program and installed") << false << true << true << "program/manual.pdf";
    QTest::newRow("installed only") << false << false << true << "share/manual.pdf";
    QTest::newRow("nowhere: the desktop says so") << false << false << false << "manual.pdf";
}

void MainWindowTest::manualIsLookedForInTheWorkingDirectoryFirst()
{
    QFETCH(bool, inWorking);
    QFETCH(bool, besideProgram);
    QFETCH(bool, installed);
    QFETCH(QString, opened);
    Fixture f;
    const QString root = f.folder.file("run");
    for (const char *sub : {"work", "program", "share"})
        QVERIFY(QDir().mkpath(root + '/' + sub));
    const auto place = [&](const char *sub, bool there) {
        QFile pdf(root + '/' + sub + "/manual.pdf");
        QVERIFY(!there || (pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n") > 0));
    };
    place("work", inWorking);
    place("program", besideProgram);
    place("share", installed);
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root + "/work"));
    Program::Services services = f.services();
    services.manualFolders = {root + "/program", root + "/share"};
    Program program(services);
    program.main.actions().manual->trigger();
    QDir::setCurrent(before);
    const QString expected = opened == "manual.pdf" ? opened : root + '/' + opened;
    QCOMPARE(f.desktop.opened, QStringList(expected));
    QVERIFY(f.prompts.informed.isEmpty() && f.prompts.errors.isEmpty());
}

void MainWindowTest::foreignStoreShowsTheErrorAndTheWindowStillOpens()
{
    Fixture f;
    QVERIFY(writeAll(f.folder.storePath(), "not a database at all, just text"));
    TMain &main = f.open();
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    QVERIFY(f.prompts.storeErrors.first().contains("vireok.mdb"));
    QCOMPARE(main.form().qsoPanel->text(), QString());
    QCOMPARE(main.form().heardCall->geometry(), QRect(192, 304, 147, 28));
}

void MainWindowTest::frameIsFixedAndThePanelCoversTheGrid()
{
    Fixture f;
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 40; ++i)
        qsos.push_back(makeQso(QString("UA%1A").arg(i)));
    addQsos(f.store.path(), qsos);
    TMain &main = f.open();
    QVERIFY(f.showActive());
    const QSize designed = main.size();
    main.resize(designed + QSize(200, 150));
    QCOMPARE(main.size(), designed);
    QCOMPARE(main.minimumSize(), main.maximumSize());
    QVERIFY(!(main.windowFlags() & Qt::WindowMaximizeButtonHint));
    // The entry panel's top edge lies over the grid's last pixels.
    const QImage shot = main.centralWidget()->grab().toImage();
    QCOMPARE(shot.pixelColor(300, 296), main.palette().color(QPalette::Window));
}

void MainWindowTest::storeLockedAtStartStaysFailedForTheRun()
{
    Fixture f;
    storeWithMarkedQsos(f.folder.storePath(), 41);
    {
        RawDb other(f.folder.storePath());
        QVERIFY(other.exec("BEGIN EXCLUSIVE"));
        f.store.setBusyTimeout(100);
        f.open();
    }
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    QVERIFY2(f.prompts.storeErrors.first().contains("занят другой программой"),
             qPrintable(f.prompts.storeErrors.first()));
    const MainForm &form = f.form();
    QCOMPARE(form.statusPanel->text(), QString("Журнал не открыт — перезапустите Vireok"));

    // The lock has gone; the window never showed the file's 41 QSOs, so
    // nothing may be written into them. Typing asks nothing of the store;
    // each step that needs it says once that it is not open.
    QVERIFY(f.showActive());
    QTest::keyClicks(form.heardCall, "UA1AAA");
    QTest::keyClicks(form.heardNumber, "001");
    QTest::keyClicks(form.workedCall, "UB2B");
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    TContest contest(f.store, f.prompts, f.main);
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    form.ok->click();
    f.prompts.answer = true;
    f.main->actions().clearLog->trigger();
    for (QPushButton *button : contest.findChildren<QPushButton *>())
        if (button->text() == "СОХРАНИТЬ")
            QTest::mouseClick(button, Qt::LeftButton);
    const QString notOpen("Журнал не открыт — перезапустите Vireok");
    QCOMPARE(f.prompts.storeErrors.mid(1), QStringList({"QSO не записан.\n\r" + notOpen, notOpen, notOpen}));
    QVERIFY(f.prompts.questions.isEmpty());
    QCOMPARE(form.heardCall->text(), QString("UA1AAA"));
    QCOMPARE(form.heardNumber->text(), QString("001"));
    QCOMPARE(form.workedCall->text(), QString("UB2B"));
    QVERIFY(f.prompts.informed.isEmpty());
    QCOMPARE(form.qsoPanel->text(), QString());
    QCOMPARE(RawDb(f.folder.storePath()).value("SELECT count(*) FROM qso").toInt(), 41);
}

void MainWindowTest::upgradedStoreNamesTheKeptOldFile()
{
    Fixture f;
    storeWithMarkedQsos(f.folder.storePath(), 3);
    QVERIFY(RawDb(f.folder.storePath()).exec("PRAGMA user_version = 0"));
    f.open();
    QCOMPARE(f.form().statusPanel->text(), QString("Журнал обновлён, прежний файл сохранён: vireok-v0.mdb"));
    QCOMPARE(f.form().qsoPanel->text(), QString("QSO: 3"));
}

namespace {
QRect onScreen(const QWidget *w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

/// What must stay in sight of the main window: the menu bar, the entry
/// panel, the six fields and OK, and the status bar.
QVector<QRect> entryParts(const TMain &main)
{
    const MainForm &m = main.form();
    QVector<QRect> parts{onScreen(main.menuBar()), onScreen(m.entryPanel), onScreen(m.ok),
                         onScreen(m.statusPanel->parentWidget())};
    for (const QWidget *field : m.entryFields())
        parts << onScreen(field);
    return parts;
}

/// Why a tool window's place is wrong; empty when it is right.
QString misplaced(const QRect &at, const QRect &screen, const QVector<QRect> &entry, const QVector<QRect> &others,
                  bool clearOfOthers)
{
    if (!screen.contains(at))
        return QString("off the screen");
    for (const QRect &part : entry)
        if (part.intersects(at))
            return QString("over the entry");
    if (clearOfOthers)
        for (const QRect &other : others)
            if (other.intersects(at))
                return QString("over another tool window");
    return {};
}
} // namespace

void MainWindowTest::toolWindowsOpenClearOfTheEntry_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("mainAt"); ///< (-1, -1): centred, as at a first start
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("clearOfOthers");
    struct Row {
        const char *name;
        QSize screen;
        QPoint mainAt;
        const char *opened;
        bool clearOfOthers;
    };
    const Row rows[] = {
        {"1920x1080, both", {1920, 1080}, {-1, -1}, "Partial Stats", true},
        {"1920x1080, repeats open first", {1920, 1080}, {-1, -1}, "RptQso Stats Partial", true},
        {"1280x1024, partial then statistics", {1280, 1024}, {-1, -1}, "Partial Stats", true},
        {"1280x1024, statistics then partial", {1280, 1024}, {-1, -1}, "Stats Partial", true},
        {"1280x1024, main at the right edge", {1280, 1024}, {676, 0}, "Stats Partial", true},
        {"1280x1024, main at the foot", {1280, 1024}, {300, 615}, "Partial Stats", true},
        {"1366x768", {1366, 768}, {-1, -1}, "RptQso Partial Stats", true},
        {"1024x768", {1024, 768}, {-1, -1}, "Partial Stats", true},
        {"800x600: over the grid", {800, 600}, {-1, -1}, "Stats Partial", false},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.screen << r.mainAt << QString(r.opened).split(' ') << r.clearOfOthers;
}

void MainWindowTest::toolWindowsOpenClearOfTheEntry()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, mainAt);
    QFETCH(QStringList, opened);
    QFETCH(bool, clearOfOthers);
    setUpApplication(); // the windows' minimum sizes come from the program's own faces
    Fixture f;
    TMain &main = f.open();
    QVERIFY(f.showActive());
    const QRect frame = main.frameGeometry();
    const QPoint at = mainAt.x() < 0 ? QPoint(centredEdge(screen.width(), frame.width()),
                                              centredEdge(screen.height(), frame.height()))
                                     : mainAt;
    const QPoint shift = at - frame.topLeft();
    QRect grid = onScreen(f.form().grid);
    grid.setBottom(onScreen(f.form().entryPanel).top() - 1); // the panel hides the grid's foot
    ToolWindowRoom room{QRect(QPoint(0, 0), screen), frame.translated(shift), grid.translated(shift), {}};
    QVector<QRect> entry = entryParts(main);
    for (QRect &part : entry)
        part.translate(shift);
    const QHash<QString, QWidget *> windows{
        {"RptQso", f.repeats}, {"Partial", f.partial}, {"Stats", &f.program->stats}};
    for (const QString &name : opened) {
        QWidget *w = windows[name];
        const QSize minimum = QLayout::closestAcceptableSize(w, QSize(0, 0));
        const QRect place =
            name == "RptQso" ? QRect(w->pos() + shift, w->size()) : besideMain(room, w->size(), minimum);
        QVERIFY2(place.width() >= minimum.width() && place.height() >= minimum.height(), qPrintable(name));
        if (name != "RptQso") {
            const QString wrong = misplaced(place, room.screen, entry, room.open, clearOfOthers);
            QVERIFY2(wrong.isEmpty(), qPrintable(name + ": " + wrong));
        }
        room.open << place;
    }
}

void MainWindowTest::toolWindowsOpenedByTheMenuLeaveTheEntryInSight()
{
    setUpApplication();
    Fixture f;
    f.open();
    f.program->saveSettings(); // a run that never opened them: no place of theirs is kept
    QVERIFY(!readAll(f.folder.file("settings.ini")).contains("[Stats]"));
    QVERIFY(!readAll(f.folder.file("settings.ini")).contains("[Partial]"));
    TMain &main = f.open();
    QVERIFY(f.showActive());
    const QVector<QRect> entry = entryParts(main);
    const QRect screen = main.screen()->availableGeometry();
    QVector<QRect> open;
    for (auto [item, window] : {std::pair<QAction *, QWidget *>(main.actions().statsWindow, &f.program->stats),
                                {main.actions().partialWindow, f.partial}}) {
        item->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QString wrong = misplaced(window->frameGeometry(), screen, entry, open, false);
        QVERIFY2(wrong.isEmpty(), qPrintable(window->windowTitle() + ": " + wrong));
        open << window->frameGeometry();
    }
    // Opened again, a window stays where the user left it.
    f.partial->move(5, 6);
    main.actions().partialWindow->trigger();
    main.actions().partialWindow->trigger();
    QCOMPARE(f.partial->pos(), QPoint(5, 6));
}

void MainWindowTest::fullDiskKeepsTheOldFileAndSaysSo_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("said");
    // Both were replaced by an empty file, and nothing was said.
    QTest::newRow("settings.ini at the end") << "settings.ini"
                                             << "Vireok|Не удалось сохранить настройки окон в файл %1: запись в него "
                                                "прервалась; прежний файл не изменён.";
    QTest::newRow("the statistics picture") << "chart.png"
                                            << "Ошибка|Произошла ошибка записи данных в файл";
}

void MainWindowTest::fullDiskKeepsTheOldFileAndSaysSo()
{
    QFETCH(QString, file);
    QFETCH(QString, said);
    Fixture f;
    const QString path = f.folder.file(file);
    QVERIFY(writeAll(path, "[Main]\r\nLeft=5\r\nTop=6\r\n[Other]\r\nKey=kept as it was\r\n"));
    const QByteArray before = readAll(path);
    f.open();
    f.prompts.chosenFile = path;
    {
        SmallDisk disk(16);
        if (file == "settings.ini")
            f.program->saveSettings();
        else
            f.program->stats.savePicture();
    }
    QCOMPARE(readAll(path), before);
    QCOMPARE(f.prompts.errors.size(), 1);
    QVERIFY2(f.prompts.errors.first().startsWith(said.arg(path)), qPrintable(f.prompts.errors.first()));
    QCOMPARE(QDir(f.folder.file({})).entryList(QDir::Files), QStringList({file, "vireok.mdb"}));
}

// Each start on a disk without room for the upgraded log tries again; the
// copy the first one kept serves them all, and the one that succeeds.
void MainWindowTest::upgradeOnAFullDiskSaysWhatToDoAndKeepsOneCopy()
{
    TestFolder made;
    storeWithMarkedQsos(made.storePath(), 3000);
    QVERIFY(RawDb(made.storePath()).exec("DROP INDEX qso_stats") &&
            RawDb(made.storePath()).exec("PRAGMA user_version = 1") &&
            RawDb(made.storePath()).exec("VACUUM")); // no free pages for the index to take
    const QByteArray before = readAll(made.storePath());
    // Room for the log and its kept copy, not for the upgraded log beside them.
    SmallFileSystem disk(before);
    if (!disk.mounted())
        QSKIP("a small file system of its own needs the right to mount one (root on Linux)");
    const QString path = disk.file("vireok.mdb");
    for (int start = 0; start < 3; ++start) {
        const bool full = start < 2;
        if (!full)
            QVERIFY(disk.resize(10 * before.size()));
        ProgramOn program(path);
        const QStringList &storeErrors = program.prompts.storeErrors;
        const QString status = program.program.main.form().statusPanel->text();
        if (full) {
            QCOMPARE(storeErrors.size(), 1);
            const QString said = storeErrors.first();
            for (const QString &part : {QString("журнал не удалось обновить"), QString("диск заполнен"),
                                        QString("файл журнала не изменён, его копия сохранена: vireok-v1.mdb")})
                QVERIFY2(said.contains(part), qPrintable(said));
            QCOMPARE(status, QString("Журнал не открыт — освободите место на диске и перезапустите Vireok"));
            QCOMPARE(readAll(path), before);
        } else {
            QVERIFY2(storeErrors.isEmpty(), qPrintable(storeErrors.join('|')));
            QCOMPARE(status, QString("Журнал обновлён, прежний файл сохранён: vireok-v1.mdb"));
            QCOMPARE(program.program.log.rowCount(), 3000);
        }
        QCOMPARE(QDir(disk.file({})).entryList({"vireok*"}, QDir::Files), QStringList({"vireok-v1.mdb", "vireok.mdb"}));
    }
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
