#include "stubs.h"
#include "tempdir.h"

#include "app/application.h"
#include "app/program.h"
#include "app/qtprompts.h"
#include "app/taboutbox.h"
#include "app/tmain.h"
#include "entry/entryedit.h"
#include "form/mainform.h"
#include "repeats/trptqso.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "store/store.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

/// Captions as the window system sees them: a real X server, the program's
/// own set-up, every window and box the user can meet.
class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void captionAsTheWindowSystemSeesIt_data();
    void captionAsTheWindowSystemSeesIt();
    void qtsOwnTextsAreRussian_data();
    void qtsOwnTextsAreRussian();
    void reportDialogListsReportsAndTakesTheNameAsTyped_data();
    void reportDialogListsReportsAndTakesTheNameAsTyped();
    void altKeysReachTheSelectorsWithTheRussianLayout_data();
    void altKeysReachTheSelectorsWithTheRussianLayout();
    void toolWindowKeyInTheOpenMenuClosesItAndReachesTheWindow();
    void unreachableDisplayIsNamedInOneLine();
    void secondCopyOnTheLogEndsAfterItsBox();
    void displayScaleIsAWholeFactor_data();
    void displayScaleIsAWholeFactor();
    void cleanupTestCase();

private:
    struct Windows;
    std::unique_ptr<Windows> m_w;
};

struct CaptionsTest::Windows {
    TestFolder folder;
    Store store{folder.storePath()};
    QtPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    Program windows{{store, prompts, desktop, clock, zone, clockSetter, folder.file("settings.ini")}};
    TMain &main = windows.main;
    TContest &contest = windows.contest;
    TRptQso &repeats = windows.repeats;
    TContestUp &addContest = windows.addContest;
    TAboutBox &about = windows.about;
};

void CaptionsTest::initTestCase()
{
    m_w = std::make_unique<Windows>();
    m_w->main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_w->main));
}

void CaptionsTest::cleanupTestCase()
{
    m_w.reset();
}

namespace {
/// The two caption properties of a window, as xprop prints them.
QStringList windowNames(WId id)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(id), "_NET_WM_NAME", "WM_NAME"});
    xprop.waitForFinished(5000);
    QStringList names;
    for (const QString &line : QString::fromUtf8(xprop.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        names << line.section(" = ", 1).remove('"');
    return names;
}

/// Once a window of the given title is shown, hands it to seen and closes
/// it, unless seen closed it.
void whenShown(const QString &title, std::function<void(QWidget *)> seen)
{
    auto *poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, title, seen] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->windowTitle() != title || !w->windowHandle() || !w->windowHandle()->isExposed())
                continue;
            seen(w);
            if (!w->isVisible())
                ;
            else if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
            else
                w->hide();
            poll->deleteLater();
            return;
        }
    });
    poll->start();
}

/// Reads a window's captions, and a message box's icon, once it is shown.
void readWhenShown(const QString &title, QStringList &names, int &icon)
{
    whenShown(title, [&names, &icon](QWidget *w) {
        names = windowNames(w->winId());
        if (auto *box = qobject_cast<QMessageBox *>(w))
            icon = box->icon();
    });
}

/// What a window says: its labels, buttons, column titles and list entries,
/// without accelerator marks.
QStringList textsOf(QWidget *window)
{
    QStringList texts;
    for (QLabel *l : window->findChildren<QLabel *>())
        texts << l->text();
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        texts << b->text();
    for (QAbstractItemView *view : window->findChildren<QAbstractItemView *>()) {
        const QAbstractItemModel *model = view->model();
        for (int c = 0; c < model->columnCount(view->rootIndex()); ++c)
            texts << model->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            texts << model->index(r, 0, view->rootIndex()).data().toString();
    }
    return texts.replaceInStrings(QStringLiteral("&"), QString());
}
} // namespace

void CaptionsTest::captionAsTheWindowSystemSeesIt_data()
{
    struct Row {
        const char *name, *window, *caption;
        int icon; ///< of a message box; -1 for other windows
    };
    const Row rows[] = {
        {"main window", "main", "Kalvex Vireok v.1.4", -1},
        {"repeat window", "repeats", "Повторные связи", -1},
        {"contest settings", "contest", "Настройка соревнования", -1},
        {"adding a contest", "addContest", "Пополнение списка соревнований", -1},
        {"about box", "about", "О программе", -1},
        {"plain message", "inform", "Vireok", QMessageBox::NoIcon},
        {"message beside the clock", "notify", "Vireok", QMessageBox::NoIcon},
        {"question", "confirm", "Vireok", QMessageBox::Question},
        {"store error", "storeError", "Vireok", QMessageBox::Critical},
        {"export error", "error", "Ошибка", QMessageBox::Critical},
        {"save dialog", "save", "Сохранить файл", -1},
    };
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icon");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.window << r.caption << r.icon;
}

void CaptionsTest::captionAsTheWindowSystemSeesIt()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(int, icon);
    Windows &w = *m_w;
    QStringList names;
    int shownIcon = -1;
    if (window == "main") {
        names = windowNames(w.main.winId());
        // The window manager may not change its size.
        QProcess xprop;
        xprop.start("xprop", {"-id", QString::number(w.main.winId()), "WM_NORMAL_HINTS"});
        QVERIFY(xprop.waitForFinished(5000));
        const QString hints = QString::fromUtf8(xprop.readAllStandardOutput());
        const QString size = QString("%1 by %2").arg(w.main.width()).arg(w.main.height());
        QVERIFY2(hints.contains("minimum size: " + size) && hints.contains("maximum size: " + size), qPrintable(hints));
    } else {
        readWhenShown(caption, names, shownIcon);
        if (window == "repeats")
            w.repeats.show();
        else if (window == "contest")
            w.contest.exec();
        else if (window == "addContest")
            w.addContest.exec();
        else if (window == "about")
            w.about.exec();
        else if (window == "inform")
            w.prompts.inform(&w.main, "Текст");
        else if (window == "notify")
            w.prompts.notify(&w.main, "Текст", [] {});
        else if (window == "confirm")
            w.prompts.confirm(&w.main, "Текст?");
        else if (window == "storeError")
            w.prompts.storeError(&w.main, "disk I/O error");
        else if (window == "error")
            w.prompts.error(&w.main, "Ошибка", "Текст");
        else if (window == "save")
            w.prompts.saveFileName(&w.main, QFileInfo(w.folder.storePath()).absolutePath(), "R9AA.cbr",
                                   {"Файлы отчетов (*.cbr *.txt *.adif *.adi)"});
        QTRY_VERIFY_WITH_TIMEOUT(!names.isEmpty(), 10000);
    }
    QCOMPARE(names, QStringList({caption, caption}));
    QCOMPARE(shownIcon, icon);
}

void CaptionsTest::qtsOwnTextsAreRussian_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("save dialog") << "save"
                                 << QString("Перейти к:|Имя файла:|Типы файлов:|Сохранить|Отмена|Имя|Размер|Тип|"
                                            "Дата изменения|Компьютер")
                                        .split('|');
    QTest::newRow("entry field's menu")
        << "menu"
        << QString("Отменить действие|Повторить действие|Вырезать|Копировать|Вставить|Удалить|Выделить всё").split('|');
}

void CaptionsTest::qtsOwnTextsAreRussian()
{
    QFETCH(QString, where);
    QFETCH(QStringList, texts);
    Windows &w = *m_w;
    QStringList seen;
    if (where == "save") {
        whenShown("Сохранить файл", [&seen](QWidget *dialog) { seen = textsOf(dialog); });
        w.prompts.saveFileName(&w.main, QFileInfo(w.folder.storePath()).absolutePath(), "R9AA.cbr",
                               {"Файлы отчетов (*.cbr *.txt *.adif *.adi)"});
    } else {
        QLineEdit *field = w.main.form().heardCall;
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4), field->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(field, &click);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        for (const QAction *a : menu->actions())
            seen << a->text().section('\t', 0, 0).remove('&');
        menu->close();
    }
    for (const QString &text : texts)
        QVERIFY2(seen.contains(text), qPrintable(seen.join(" | ")));
}

void CaptionsTest::reportDialogListsReportsAndTakesTheNameAsTyped_data()
{
    QTest::addColumn<QString>("save"); // the command that opens the dialog
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("Cabrillo, another name") << "cabrillo"
                                            << "out.cbr"
                                            << "out.cbr";
    QTest::newRow("ERMAK, a full path") << "ermak"
                                        << "<folder>/ermak.txt"
                                        << "ermak.txt";
    QTest::newRow("ADIF, its own suffix") << "adif"
                                          << "R9AA.adi"
                                          << "R9AA.adi";
    QTest::newRow("ADIF, no suffix") << "adif"
                                     << "R9AA"
                                     << "R9AA";
    QTest::newRow("picture, no suffix") << "picture"
                                        << "chart"
                                        << "chart.png";
}

// Through the menu, the real dialog and the real message box, as the user
// does it: the proposed name is selected, so what is typed replaces it.
void CaptionsTest::reportDialogListsReportsAndTakesTheNameAsTyped()
{
    QFETCH(QString, save);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    Windows &w = *m_w;
    w.store.writeLog({{"CALLSIGN", "R9AA"}, {"POSNR10", "3"}, {"POSNR11", "4"}, {"POSNR20", "3"}, {"POSNR21", "4"}});
    TestFolder reports;
    for (const char *name : {"old.cbr", "old.txt", "old.adif", "old.adi", "old.png", "notes.doc"})
        QVERIFY(writeAll(reports.file(name), "x"));
    typed.replace("<folder>", QDir(reports.file({})).absolutePath());
    QStringList listed;
    QString proposal;
    whenShown("Сохранить файл", [&](QWidget *window) {
        auto *dialog = static_cast<QFileDialog *>(window);
        dialog->setDirectory(reports.file({}));
        auto *view = dialog->findChild<QListView *>("listView");
        QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0); // the folder is read on its own thread
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
            listed << view->model()->index(r, 0, view->rootIndex()).data().toString();
        QWidget *focus = nullptr;
        QTRY_VERIFY((focus = QApplication::focusWidget()) && focus->window() == dialog);
        proposal = static_cast<QLineEdit *>(focus)->selectedText();
        if (save != "picture")
            whenShown("Vireok", [](QWidget *) {}); // the box that says it was written
        QTest::keyClicks(focus, typed);
        QTest::keyClick(focus, Qt::Key_Return);
    });
    if (save == "picture") {
        w.windows.stats.show();
        w.windows.stats.findChild<QMenu *>()->actions().first()->trigger();
        w.windows.stats.hide();
    } else {
        const MainActions &actions = w.main.actions();
        (save == "cabrillo" ? actions.exportCabrillo
         : save == "ermak"  ? actions.exportErmak
                            : actions.exportAdif)
            ->trigger();
    }
    QVERIFY2(QFileInfo::exists(reports.file(written)), qPrintable(QDir(reports.file({})).entryList().join(' ')));
    QCOMPARE(proposal,
             save == "picture" ? QString("Статистика.png") : QString("R9AA") + (save == "adif" ? ".adi" : ".cbr"));
    listed.sort();
    QCOMPARE(listed,
             save == "picture" ? QStringList({"old.png"}) : QStringList({"old.adi", "old.adif", "old.cbr", "old.txt"}));
}

void CaptionsTest::altKeysReachTheSelectorsWithTheRussianLayout_data()
{
    QTest::addColumn<QString>("keycode"); // the physical key, as xdotool names it
    QTest::addColumn<QString>("selector");
    QTest::newRow("Alt+И (the B key): band") << "56"
                                             << "band";
    QTest::newRow("Alt+Ь (the M key): mode") << "58"
                                             << "mode";
}

// On X11 a key of the Russian layout matched both its Cyrillic and its
// Latin shortcut, and an ambiguous shortcut does nothing.
void CaptionsTest::altKeysReachTheSelectorsWithTheRussianLayout()
{
    QFETCH(QString, keycode);
    QFETCH(QString, selector);
    Windows &w = *m_w;
    const MainForm &form = w.main.form();
    QCOMPARE(QProcess::execute("setxkbmap", {"-layout", "ru,us"}), 0);
    QCOMPARE(QProcess::execute("xdotool", {"windowfocus", "--sync", QString::number(w.main.winId())}), 0);
    form.heardCall->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(form.heardCall));
    QProcess::execute("xdotool", {"keydown", "alt", "key", keycode, "keyup", "alt"});
    QTRY_COMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(selector == "band" ? form.band : static_cast<QWidget *>(form.mode)));
    QCOMPARE(QProcess::execute("setxkbmap", {"-layout", "us"}), 0);
}

// With the window already open, the key once made the menu item's own
// shortcut and the window's ambiguous: the menu stayed open, nothing moved.
void CaptionsTest::toolWindowKeyInTheOpenMenuClosesItAndReachesTheWindow()
{
    Windows &w = *m_w;
    QMenu *menu = nullptr;
    for (QAction *a : w.main.menuBar()->actions())
        if (a->text() == "Окна")
            menu = a->menu();
    QVERIFY(menu);
    const auto key = [&w](const char *name) {
        QCOMPARE(QProcess::execute("xdotool", {"windowfocus", "--sync", QString::number(w.main.winId())}), 0);
        QCOMPARE(QProcess::execute("xdotool", {"key", name}), 0);
    };
    key("F7");
    QTRY_VERIFY(w.windows.stats.isActiveWindow());
    key("F4");
    QTRY_VERIFY(w.main.isActiveWindow());
    const QRect item = w.main.menuBar()->actionGeometry(menu->menuAction());
    QTest::mouseClick(w.main.menuBar(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(QProcess::execute("xdotool", {"key", "F7"}), 0);
    QTRY_VERIFY(!menu->isVisible());
    QTRY_VERIFY(w.windows.stats.isActiveWindow());
    QCOMPARE(QApplication::focusWidget()->window(), &w.windows.stats);
    w.windows.stats.hide();
}

void CaptionsTest::unreachableDisplayIsNamedInOneLine()
{
    int display = 99;
    while (QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(display)))
        ++display;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", QString(":%1").arg(display));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(QFileInfo(m_w->folder.storePath()).absolutePath());
    program.start(VIREOK_PROGRAM, {});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QStringList lines = QString::fromUtf8(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains(QString("\":%1\"").arg(display)) && lines[0].contains("xvfb-run"), qPrintable(lines[0]));
}

namespace {
QString xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start("xdotool", arguments);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput()).section('\n', 0, 0);
}
} // namespace

// Started again on the log this test holds open, the program says so in
// its box and ends once the box is answered. It used to go on to a main
// window of its own that recorded nothing and caught the typing meant for
// the first one.
void CaptionsTest::secondCopyOnTheLogEndsAfterItsBox()
{
    QProcess program;
    program.setWorkingDirectory(QFileInfo(m_w->folder.storePath()).absolutePath());
    program.start(VIREOK_PROGRAM, {});
    QVERIFY(program.waitForStarted());
    const QStringList search{"search", "--all", "--onlyvisible", "--pid", QString::number(program.processId()),
                             "--name", "."};
    QString shown;
    QTRY_VERIFY_WITH_TIMEOUT(!(shown = xdotool(search)).isEmpty(), 20000);
    QCOMPARE(windowNames(shown.toULongLong()).value(0), QString("Vireok"));
    xdotool({"windowfocus", "--sync", shown});
    xdotool({"key", "Return"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 1);
}

void CaptionsTest::displayScaleIsAWholeFactor_data()
{
    QTest::addColumn<int>("dpi"); // the desktop's, as a user sets 100 %, 125 %...
    QTest::addColumn<QString>("size");
    QTest::newRow("100 %") << 96 << "604x409";
    QTest::newRow("125 %: as designed") << 120 << "604x409";
    QTest::newRow("150 %: doubled") << 144 << "1208x818";
    QTest::newRow("200 %") << 192 << "1208x818";
}

// The windows are laid out to the pixel in raster faces; a fractional
// scale drew text and frames apart (at 125 % the tour clock lost its top
// row, "UTC:" its colon).
void CaptionsTest::displayScaleIsAWholeFactor()
{
    QFETCH(int, dpi);
    QFETCH(QString, size);
    TestFolder folder;
    QProcess program;
    program.setWorkingDirectory(folder.file({}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_FONT_DPI", QString::number(dpi));
    program.setProcessEnvironment(env);
    program.start(VIREOK_PROGRAM, {});
    QVERIFY(program.waitForStarted());
    QString shown;
    QTRY_VERIFY_WITH_TIMEOUT(!(shown = xdotool({"search", "--all", "--onlyvisible", "--pid",
                                                QString::number(program.processId()), "--name", "Kalvex"}))
                                  .isEmpty(),
                             20000);
    QProcess info;
    info.start("xwininfo", {"-id", shown});
    QVERIFY(info.waitForFinished(5000));
    QString width, height;
    for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.trimmed().startsWith("Width:"))
            width = line.section(':', 1).trimmed();
        if (line.trimmed().startsWith("Height:"))
            height = line.section(':', 1).trimmed();
    }
    program.kill();
    program.waitForFinished(5000);
    QCOMPARE(width + 'x' + height, size);
}

/// Starts a private X server and runs the tests on it with the program's own
/// set-up, as the program runs on a desktop.
int main(int argc, char *argv[])
{
    int ready[2];
    if (pipe(ready) != 0)
        return 1;
    const pid_t server = fork();
    if (server == 0) {
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1280x1024x24",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // The server writes the number and then a line feed; reading stops at it.
    QByteArray number;
    char c;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", QByteArray(":") + number);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result;
    {
        QApplication app(argc, argv);
        setUpApplication();
        CaptionsTest test;
        result = QTest::qExec(&test, argc, argv);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return result;
}

#include "tst_captions.moc"
