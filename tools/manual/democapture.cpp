#include "democapture.h"

#include "legend.h"
#include "markplaces.h"
#include "reportfields.h"

#include "app/program.h"
#include "app/taboutbox.h"
#include "app/tmain.h"
#include "clock/clockticker.h"
#include "entry/editor.h"
#include "entry/entryedit.h"
#include "export/reportexport.h"
#include "form/loggrid.h"
#include "partial/partialcalls.h"
#include "repeats/trptqso.h"
#include "seams/clocksource.h"
#include "seams/desktop.h"
#include "seams/quietprompts.h"
#include "seams/timeseams.h"
#include "setup/stationpanel.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "store/store.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableView>
#include <QTemporaryDir>

namespace {

class NoDesktop : public Desktop {
public:
    void openDocument(const QString &) override {}
};

/// The moment every screenshot shows: inside the first tour of the demo contest.
class DemoClock : public ClockSource {
public:
    QDateTime nowUtc() const override { return QDateTime(QDate(2026, 12, 6), QTime(9, 15, 42), Qt::UTC); }
};

class UtcZone : public ZoneBias {
public:
    double minutesAt(const QDateTime &) const override { return 0; }
};

class NoClockSetter : public ClockSetter {
public:
    bool setClock(const QDateTime &) override { return false; }
};

QsoRecord qso(const char *time, const char *call1, const char *nr1, const char *call2 = "", const char *nr2 = "",
              const char *band = "14000", const char *mode = "CW")
{
    QsoRecord q;
    q.band = QString::fromLatin1(band);
    q.mode = QString::fromLatin1(mode);
    q.data = QStringLiteral("2026-12-06");
    q.time = QString::fromLatin1(time);
    const QString report = q.mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
    q.call1 = QString::fromLatin1(call1);
    q.rst1 = report;
    q.nr1 = QString::fromLatin1(nr1);
    q.call2 = QString::fromLatin1(call2);
    q.rst2 = q.call2.isEmpty() ? QString("") : report;
    q.nr2 = QString::fromLatin1(nr2);
    q.tur = QStringLiteral("1");
    return q;
}

void fillDemoLog(Store &store)
{
    const QsoRecord log[] = {
        qso("0901", "UA3ABC", "001", "RZ1AW", "015"),
        qso("0902", "RK9CWW", "017", "UA3ABC", "002"),
        qso("0903", "UA9OA", "005", "RW6HS", "021"),
        qso("0904", "R3K", "033"),
        qso("0905", "UA6LTO", "008", "RA1ALA", "044"),
        qso("0906", "EW1AA", "019", "UA9OA", "006"),
        qso("0907", "UN7LZ", "012", "RZ1AW", "016"),
        qso("0908", "RX3AFE", "023", "RK4W", "031"),
        qso("0909", "UA0SE", "004"),
        qso("0910", "RA3DNC", "027", "UA6LTO", "009"),
        qso("0911", "RW6HS", "022", "UR5EPG", "040"),
        qso("0912", "UA4M", "041", "RN3BO", "013"),
        qso("0913", "R7AB", "030", "RU3XY", "011"),
        qso("0914", "UA1ANA", "014", "EW1AA", "020"),
    };
    for (const QsoRecord &q : log)
        store.addQso(q);
    store.writeOperator({{"CALL", "RU3-142-1"},
                         {"FAM", "Смирнов"},
                         {"IMYA", "Андрей"},
                         {"OTCH", "Павлович"},
                         {"ADDRESS1", "ул. Садовая, 12-34"},
                         {"ADDRESS2", "г. Тверь, Тверская обл."},
                         {"ADDRESS3", "170100"},
                         {"GODR", "1961"},
                         {"RAZR", "КМС"},
                         {"KAT", "SWL"},
                         {"TRENER", "Иванов И. И."},
                         {"CLUB", "Тверской радиоклуб"},
                         {"EMAIL", "ru3-142-1@example.org"},
                         {"FAME", "Smirnov"},
                         {"IMYAE", "Andrey"},
                         {"OTCHE", "Pavlovich"},
                         {"ADDRESS1E", "Sadovaya st., 12-34"},
                         {"ADDRESS2E", "Tver, Tverskaya reg."}});
    store.writeLog({{"CALLSIGN", "RU3-142-1"},
                    {"NAMEE", "Смирнов Андрей Павлович"},
                    {"NAMEEE", "Andrey Pavlovich Smirnov"},
                    {"ADDRESS1", "ул. Садовая, 12-34"},
                    {"ADDRESS2", "г. Тверь, Тверская обл."},
                    {"ADDRESS3", "170100"},
                    {"ADDRESS1E", "Sadovaya st., 12-34"},
                    {"ADDRESS2E", "Tver, Tverskaya reg."},
                    {"CLUB", "Тверской радиоклуб"},
                    {"EMAIL", "ru3-142-1@example.org"},
                    {"GODR", "1961"},
                    {"RAZR", "КМС"},
                    {"KAT", "SWL"},
                    {"TRENER", "Иванов И. И."}});
}

/// Lets the windows lay themselves out and paint as on a screen.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

class Shots {
public:
    explicit Shots(const QString &folder) : m_folder(folder) {}

    void save(const QString &name, const QImage &image)
    {
        if (!image.save(QDir(m_folder).filePath(name), "PNG"))
            qFatal("cannot write %s", qPrintable(QDir(m_folder).filePath(name)));
        m_names << name;
    }
    void save(const QString &name, QWidget *w)
    {
        settle();
        save(name, w->grab().toImage());
    }
    /// The part of the main window below its grid: the entry panel and the status bar.
    void saveEntry(const QString &name, TMain &main, const MainForm &form)
    {
        settle();
        const QImage whole = main.grab().toImage();
        const int top = form.grid->mapTo(&main, QPoint(0, form.grid->height())).y() - 8;
        const qreal dpr = whole.devicePixelRatio();
        QImage part = whole.copy(0, int(top * dpr), whole.width(), whole.height() - int(top * dpr));
        save(name, part);
    }
    QStringList names() const { return m_names; }

private:
    QString m_folder;
    QStringList m_names;
};

/// Numbered red circles on the controls that the manual's legend explains,
/// in its order, on a white margin round the window where a control at its
/// edge leaves no room inside.
QImage annotated(TMain &main, const QVector<QRect> &targets)
{
    settle();
    const QImage window = main.grab().toImage();
    const int r = 8;
    const int margin = 2 * r + 6;
    QImage image(window.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.drawImage(margin, margin, window);
    QVector<QRect> rects;
    for (const QRect &target : targets)
        rects << target.translated(margin, margin);
    const QVector<QPoint> places = markPlaces(image, rects, r);
    // The window's outline after the places are found: on the margin it
    // would count as something a mark hides.
    p.setPen(QColor(160, 160, 160));
    p.drawRect(QRect(QPoint(margin - 1, margin - 1), window.size() + QSize(1, 1)));
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < places.size(); ++i) {
        const QRectF circle(places[i].x() - r, places[i].y() - r, 2 * r, 2 * r);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(200, 0, 0));
        p.drawEllipse(circle);
        p.setPen(Qt::white);
        p.drawText(circle, Qt::AlignCenter, QString::number(i + 1));
    }
    return image;
}

QImage menuImage(QMenu *menu)
{
    menu->ensurePolished();
    menu->adjustSize();
    return menu->grab().toImage();
}

QString readReport(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("the demo export wrote no %s", qPrintable(path));
    QStringDecoder cp1251("windows-1251");
    QString text = cp1251(f.readAll());
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

DemoOutput makeDemo(const QString &imageFolder)
{
    QDir().mkpath(imageFolder);
    QTemporaryDir temp;
    Store store(QDir(temp.path()).filePath(QStringLiteral("vireok.mdb")));
    fillDemoLog(store);
    QuietPrompts prompts;
    NoDesktop desktop;
    DemoClock clock;
    UtcZone zone;
    NoClockSetter clockSetter;

    // A few known calls beside the log's, for the partial-call window.
    const QString known = QDir(temp.path()).filePath(QStringLiteral("MASTER.SCP"));
    QFile knownFile(known), ini(QDir(temp.path()).filePath("settings.ini"));
    if (knownFile.open(QIODevice::WriteOnly) && ini.open(QIODevice::WriteOnly)) {
        knownFile.write("EA1ABZ\r\nRA1ABC\r\nUA1AAA\r\n");
        ini.write("[Partial]\r\nFile=" + QFile::encodeName(known) + "\r\n");
    }
    knownFile.close();
    ini.close();
    Program windows({store, prompts, desktop, clock, zone, clockSetter, QDir(temp.path()).filePath("settings.ini")});
    TMain &main = windows.main;
    TContest &contest = windows.contest;
    TRptQso &repeats = windows.repeats;
    TContestUp &addContest = windows.addContest;
    TAboutBox &about = windows.about;

    // The contest first, as a user would set it up: its tours give the
    // clock a tour to show.
    contest.findChild<QComboBox *>()->setCurrentIndex(4);
    const auto tourFields = contest.findChildren<QLineEdit *>();
    QStringList tourTimes = {"09:00:00", "09:59:59", "10:00:00", "10:59:59"};
    int next = 0;
    for (QLineEdit *t : tourFields)
        if (!t->inputMask().isEmpty() && next < tourTimes.size())
            t->setText(tourTimes[next++]);
    for (QPushButton *b : contest.findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("СОХРАНИТЬ"))
            b->click();

    const MainForm &form = main.form();
    main.show();
    form.tour->click();
    windows.clockTicker->tick();
    Shots shots(imageFolder);

    // A repeat as heard station (red) and one as worked station (aqua).
    form.heardCall->setText(QStringLiteral("UN7LZ"));
    form.heardNumber->setText(QStringLiteral("013"));
    form.workedCall->setText(QStringLiteral("RZ1AW"));
    shots.save(QStringLiteral("main.png"), annotated(main, mainWindowLegend(main)));
    shots.saveEntry(QStringLiteral("entry-repeat.png"), main, form);
    // Each tool window at the size it opens at where the screen has room.
    main.actions().repeatWindow->trigger();
    repeats.resize(384, 292);
    shots.save(QStringLiteral("repeats.png"), &repeats);
    main.actions().repeatWindow->trigger();
    // Calls holding "A1A", once the log's calls are read.
    while (!windows.partialCalls.logReady())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    form.heardCall->setText(QStringLiteral("A1A"));
    main.actions().partialWindow->trigger();
    windows.partial.resize(200, 292);
    shots.save(QStringLiteral("partial.png"), &windows.partial);
    main.actions().partialWindow->trigger();
    main.actions().statsWindow->trigger();
    windows.stats.resize(600, 560);
    windows.clockTicker->tick();
    shots.save(QStringLiteral("stats.png"), &windows.stats);
    main.actions().statsWindow->trigger();
    for (QLineEdit *f :
         {form.heardCall, form.heardReport, form.heardNumber, form.workedCall, form.workedReport, form.workedNumber})
        f->clear();

    main.toggleLayout();
    form.heardCall->setText(QStringLiteral("RA3DNC"));
    form.heardNumber->setText(QStringLiteral("028"));
    form.workedCall->setText(QStringLiteral("UR5EPG"));
    shots.saveEntry(QStringLiteral("entry-vertical.png"), main, form);
    main.toggleLayout();
    for (QLineEdit *f :
         {form.heardCall, form.heardReport, form.heardNumber, form.workedCall, form.workedReport, form.workedNumber})
        f->clear();

    form.copy->click();
    shots.saveEntry(QStringLiteral("entry-copy.png"), main, form);
    form.copy->click();

    QMenuBar *bar = main.menuBar();
    const QStringList menuFiles = {"menu-log.png", "menu-settings.png", "", "menu-windows.png", "menu-help.png"};
    for (int i = 0; i < bar->actions().size() && i < menuFiles.size(); ++i)
        if (QMenu *m = bar->actions()[i]->menu())
            shots.save(menuFiles[i], menuImage(m));
    shots.save(QStringLiteral("menu-grid.png"), menuImage(main.actions().gridMenu));

    contest.show();
    shots.save(QStringLiteral("contest.png"), &contest);
    contest.hide();
    addContest.show();
    shots.save(QStringLiteral("contest-add.png"), &addContest);
    addContest.hide();
    about.show();
    shots.save(QStringLiteral("about.png"), &about);
    about.hide();

    windows.stationPanel->open();
    shots.save(QStringLiteral("station.png"), &main);
    windows.stationPanel->save();

    // Every export the log menu offers, written by the program's own writer.
    ReportExport::Hooks hooks;
    hooks.dialogFolder = [&temp] { return temp.path(); };
    hooks.afterWalk = [](bool) {};
    hooks.webAddress = QString::fromLatin1(kWebAddress);
    ReportExport exports(store, prompts, clock, &main, hooks);
    const auto writeReports = [&] {
        const struct {
            const char *key, *file;
            void (ReportExport::*run)();
        } kinds[] = {{"cabrillo", "c.cbr", &ReportExport::cabrillo},
                     {"ermak", "e.cbr", &ReportExport::ermak},
                     {"adif", "a.adi", &ReportExport::adif}};
        QMap<QString, QString> reports;
        for (const auto &k : kinds) {
            prompts.chosenFile = QDir(temp.path()).filePath(QString::fromLatin1(k.file));
            QFile::remove(prompts.chosenFile);
            (exports.*k.run)();
            if (!QFile::exists(prompts.chosenFile))
                qFatal("the demo export wrote nothing: %s",
                       qPrintable((prompts.informed + prompts.errors + prompts.storeErrors).join("; ")));
            reports.insert(QString::fromLatin1(k.key), readReport(prompts.chosenFile));
        }
        return reports;
    };
    DemoOutput out;
    out.examples = writeReports();

    windows.editor->editRecord();
    shots.saveEntry(QStringLiteral("entry-edit.png"), main, form);

    // Last: it fills every window with marks.
    out.tables = reportFieldTables(windows, writeReports);

    if (!(prompts.errors + prompts.storeErrors).isEmpty())
        qFatal("the demo log failed: %s", qPrintable((prompts.errors + prompts.storeErrors).join(QLatin1String("; "))));
    out.images = shots.names();
    main.hide();
    return out;
}
