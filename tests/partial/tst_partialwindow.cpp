#include "mainfixture.h"
#include "rawdb.h"

#include "app/application.h"
#include "entry/editor.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "partial/partialwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

/// The partial-call window: what it lists for a fragment typed, taking a
/// call from it, following the log, its place and menu item.
class PartialWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsCallsHoldingTheFragment_data();
    void listsCallsHoldingTheFragment();
    void takingACall_data();
    void takingACall();
    void repeatsAreReadableOnPlainAndSelectedRows();
    void statusLineIsWholeWhileTheLogIsRead_data();
    void statusLineIsWholeWhileTheLogIsRead();
    void listFollowsRecordEditDeleteAndClear();
    void namedFileThatCannotBeUsedIsSaidAndHoldsNothingUp_data();
    void namedFileThatCannotBeUsedIsSaidAndHoldsNothingUp();
    void menuItemAndGeometryThroughSettings();
    void lockedStoreIsToldOncePerFailure();
};

namespace {
/// QSOs as "call1,call2" separated by blanks; a leading + puts the QSO on
/// the band, mode and tour being entered (14000, CW, 1), others on 7000.
void fillLog(Store &store, const QString &qsos)
{
    for (QString qso : qsos.split(' ', Qt::SkipEmptyParts)) {
        const bool here = qso.startsWith('+');
        const QStringList calls = qso.remove(0, here ? 1 : 0).split(',');
        store.addQso(makeQso(calls[0], "001", calls.value(1), {}, here ? "14000" : "7000", "CW", "1"));
    }
}

/// Opens the program with the known-calls file holding file, named in
/// settings.ini, and waits until the log's calls are read.
bool openWith(MainFixture &f, const QByteArray &file, const QByteArray &ini = {})
{
    QFile known(f.folder.file("known.scp"));
    QFile settings(f.folder.file("settings.ini"));
    if (!known.open(QIODevice::WriteOnly) || !settings.open(QIODevice::WriteOnly))
        return false;
    known.write(file);
    settings.write("[Partial]\r\nFile=" + f.folder.file("known.scp").toLocal8Bit() + "\r\n" + ini);
    known.close();
    settings.close();
    f.open();
    setSelectorText(f.form().band, "14000");
    setSelectorText(f.form().mode, "CW");
    f.form().tourNumber->setText("1");
    return QTest::qWaitFor([&] { return f.program->partialCalls.logReady(); });
}

/// The list as read: bold calls marked *, red !, aqua ~.
QString listed(const PartialListModel &m)
{
    QStringList rows;
    for (int r = 0; r < m.rowCount(); ++r) {
        const QModelIndex i = m.index(r);
        QString row = i.data().toString();
        if (i.data(Qt::FontRole).value<QFont>().bold())
            row += '*';
        const QColor colour = i.data(Qt::BackgroundRole).value<QBrush>().color();
        row += colour == QColor(255, 0, 0) ? "!" : colour == QColor(0, 255, 255) ? "~" : "";
        rows << row;
    }
    return rows.join(' ');
}
} // namespace

void PartialWindowTest::listsCallsHoldingTheFragment_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("ham");
    struct Row {
        const char *name, *log, *file, *typed, *expected, *status;
        bool ham = false;
    };
    const Row rows[] = {
        {"anywhere in the call", "UA1BCD,RA1B/P", "", "A1B", "UA1BCD* RA1B/P*", "Найдено: 2 (журнал: 2, файл: 0)"},
        {"with a stroke", "UA1BCD,RA1B/P", "", "B/", "RA1B/P*", "Найдено: 1 (журнал: 1, файл: 0)"},
        {"one character: nothing", "UA1BCD,RA1B/P", "UA1A\n", "A", "", ""},
        {"log newest first, then the file alphabetically", "UA1AA, UA1AB,", "UA1AZ\nUA1AA\nUA1AC\nRA1A\n", "UA1A",
         "UA1AB* UA1AA* UA1AC UA1AZ", "Найдено: 4 (журнал: 2, файл: 2)"},
        {"a call logged again moves up", "UA1A, UA2A, UA1A,", "", "UA", "UA1A* UA2A*",
         "Найдено: 2 (журнал: 2, файл: 0)"},
        {"repeats on this band, mode and tour", "+UA1A,RA3C +RA3D,UA1AX UA1AY,", "", "UA1A", "UA1AY* UA1AX*~ UA1A*!",
         "Найдено: 3 (журнал: 3, файл: 0)"},
        {"nothing found", "UA1A,", "RA1A\n", "QQ", "", "Найдено: 0 (журнал: 0, файл: 0)"},
        {"HAM: the own call in the heard call field feeds nothing", "R9AA,UA1BCD", "R9AA\n", "A1B", "", "", true},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.log) << QByteArray(r.file) << QString(r.typed) << QString(r.expected)
                              << QString::fromUtf8(r.status) << r.ham;
}

void PartialWindowTest::listsCallsHoldingTheFragment()
{
    QFETCH(QString, log);
    QFETCH(QByteArray, file);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    QFETCH(bool, ham);
    MainFixture f;
    fillLog(f.store, log);
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    QVERIFY(openWith(f, file));
    if (ham) {
        QVERIFY(f.showActive());
        QTest::mouseClick(f.form().swl, Qt::LeftButton);
        QTest::mouseClick(f.form().heardCall, Qt::LeftButton);
    }
    QTest::keyClicks(f.form().heardCall, typed.toLower()); // through the entry filter
    // Opened after the typing, as F6 does: the colours are worked out then.
    f.main->actions().partialWindow->trigger();
    QTRY_COMPARE(f.partial->statusText(), status);
    QCOMPARE(listed(f.program->partialList), expected);
    // The marks of the last row, in words.
    const QString last = expected.split(' ').last();
    const PartialListModel &m = f.program->partialList;
    QCOMPARE(m.index(m.rowCount() - 1).data(Qt::AccessibleDescriptionRole).toString(),
             QString(last.endsWith('!')   ? "в журнале, повтор первой станцией"
                     : last.endsWith('*') ? "в журнале"
                                          : ""));
}

void PartialWindowTest::takingACall_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("worked");
    QTest::addColumn<QString>("taken");
    struct Row {
        const char *name, *keys;
        bool worked;
        const char *taken;
    };
    // Keys: F3, PageDown, Down, Enter, Escape, Backspace, a small letter;
    // "double-click" and "click" click the second row.
    const Row rows[] = {
        {"F3 takes the first", "F3", false, "UA1BCD"},
        {"Page Down and Enter", "PageDown Enter", false, "UA1BCD"},
        {"Page Down, Down and Enter", "PageDown Down Enter", false, "RA1B/P"},
        {"Esc goes back", "PageDown Down Escape", false, "A1B"},
        {"double-click", "double-click", false, "RA1B/P"},
        {"into the worked call field", "F3", true, "UA1BCD"},
        {"a letter typed after a click goes on to the field", "click x", false, "A1BX"},
        {"Backspace typed after a click", "click Backspace", true, "A1"},
        {"Enter after a click takes the call", "click Enter", false, "RA1B/P"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.keys) << r.worked << QString(r.taken);
}

void PartialWindowTest::takingACall()
{
    QFETCH(QString, keys);
    QFETCH(bool, worked);
    QFETCH(QString, taken);
    MainFixture f;
    fillLog(f.store, "+UA1BCD,");
    QVERIFY(openWith(f, "RA1B/P\n"));
    QVERIFY(f.showActive());
    f.main->actions().partialWindow->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(f.partial));
    f.main->activateWindow();
    QLineEdit *field = worked ? f.form().workedCall : f.form().heardCall;
    field->setFocus();
    QTRY_COMPARE(f.focused(), static_cast<QWidget *>(field));
    QTest::keyClicks(field, "a1b");
    QCOMPARE(listed(f.program->partialList), QString("UA1BCD*! RA1B/P"));
    QListView *list = f.partial->list();
    for (const QString &key : keys.split(' ')) {
        if (key.endsWith("click")) {
            const QModelIndex second = f.program->partialList.index(1);
            QTRY_VERIFY(list->visualRect(second).isValid()); // the list lays its rows out later
            // As the window system sends a double-click: a click, then the second press.
            const QPoint at = list->visualRect(second).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            if (key == "double-click") {
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else {
                f.partial->activateWindow(); // as the click would on a desktop
                QTRY_COMPARE(f.focused(), static_cast<QWidget *>(list));
            }
            continue;
        }
        if (key.size() == 1) {
            QTest::keyClicks(QApplication::focusWidget(), key);
            continue;
        }
        const Qt::Key k = key == "F3"          ? Qt::Key_F3
                          : key == "PageDown"  ? Qt::Key_PageDown
                          : key == "Down"      ? Qt::Key_Down
                          : key == "Enter"     ? Qt::Key_Return
                          : key == "Backspace" ? Qt::Key_Backspace
                                               : Qt::Key_Escape;
        QTest::keyClick(QApplication::focusWidget(), k);
        if (key == "PageDown")
            QTRY_COMPARE(f.focused(), static_cast<QWidget *>(list));
    }
    QTRY_COMPARE(f.focused(), static_cast<QWidget *>(field));
    QCOMPARE(field->text(), taken);
    QCOMPARE(field->cursorPosition(), int(taken.size()));
    // The repeat check ran as for typing: on this band the logged heard call is red.
    QCOMPARE(field->palette().color(QPalette::Base) == FieldColours::red, taken == "UA1BCD");
}

namespace {
double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

/// The contrast (as WCAG counts it) between the commonest colour of a
/// picture and the colour that stands out from it most: a text and its ground.
double textContrast(const QImage &picture)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb ground = counts.begin().key();
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > counts[ground])
            ground = it.key();
    double most = 1;
    for (auto it = counts.begin(); it != counts.end(); ++it) {
        const double a = luminance(QColor(ground)), b = luminance(QColor(it.key()));
        most = std::max(most, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return most;
}
} // namespace

void PartialWindowTest::repeatsAreReadableOnPlainAndSelectedRows()
{
    MainFixture f;
    fillLog(f.store, "+UA1A,RA3C +RA3D,UA1AX UA1AY,");
    QVERIFY(openWith(f, {}));
    f.main->actions().partialWindow->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(f.partial));
    QTest::keyClicks(f.form().heardCall, "ua1a");
    QCOMPARE(listed(f.program->partialList), QString("UA1AY* UA1AX*~ UA1A*!"));
    QListView *list = f.partial->list();
    for (bool selected : {false, true}) {
        for (int row : {1, 2}) {
            const QModelIndex index = f.program->partialList.index(row);
            list->setCurrentIndex(selected ? index : QModelIndex());
            QTRY_VERIFY(list->visualRect(index).isValid());
            // Inside the row and clear of a selection's edge: the call and what lies under it.
            const QImage shot = list->viewport()->grab(list->visualRect(index).adjusted(4, 3, -4, -3)).toImage();
            const double contrast = textContrast(shot);
            QVERIFY2(contrast >= 4.5, qPrintable(QString("%1 %2: %3:1")
                                                     .arg(index.data().toString(), selected ? "selected" : "plain")
                                                     .arg(contrast, 0, 'f', 2)));
        }
    }
}

void PartialWindowTest::statusLineIsWholeWhileTheLogIsRead_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("as it opens") << 200;
    QTest::newRow("at its narrowest") << 0;
}

// The note that the log is still being read is the one sign that its
// calls are missing from the list.
void PartialWindowTest::statusLineIsWholeWhileTheLogIsRead()
{
    QFETCH(int, width);
    setUpApplication(); // the program's own faces decide what fits
    TestFolder folder;
    Store store(folder.storePath());
    PartialCalls calls(store); // nothing read yet
    PartialListModel list(calls, store, [] { return RepeatContext{}; });
    PartialWindow window(list);
    window.resize(std::max(width, window.minimumWidth()), window.height());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    list.show("UA");
    QCOMPARE(window.statusText(), "Найдено: 0 (журнал: 0, файл: 0)\nЖурнал ещё читается");
    const QLabel *status = window.findChild<QLabel *>();
    QTRY_VERIFY2(status->contentsRect().contains(
                     status->fontMetrics().boundingRect(status->contentsRect(), Qt::TextWordWrap, status->text())),
                 qPrintable(QString("%1 px high").arg(status->height())));
}

void PartialWindowTest::listFollowsRecordEditDeleteAndClear()
{
    MainFixture f;
    fillLog(f.store, "UA1BCD,RA3C");
    QVERIFY(openWith(f, "UA1BZZ\n"));
    f.main->actions().partialWindow->trigger(); // the colours are worked out while it is seen
    const MainForm &m = f.form();
    const auto typeFragment = [&] {
        m.heardCall->clear();
        QTest::keyClicks(m.heardCall, "A1B");
        return listed(f.program->partialList);
    };
    QCOMPARE(typeFragment(), QString("UA1BCD* UA1BZZ"));

    // Recorded with the keys; the worked call feeds the list as it is typed.
    QVERIFY(f.showActive());
    // A field the focus goes to feeds the list with what it already holds.
    m.workedCall->setText("UA1BZ");
    m.workedCall->setFocus();
    QTRY_COMPARE(listed(f.program->partialList), QString("UA1BZZ"));
    m.workedCall->clear();
    m.heardCall->clear();
    m.heardCall->setFocus();
    for (const char *keys : {"ua1bxy", "5", "ua1bzz", ""}) {
        QTest::keyClicks(f.focused(), keys);
        QTest::keyClick(f.focused(), Qt::Key_Return);
    }
    QCOMPARE(listed(f.program->partialList), QString("UA1BZZ"));
    QCOMPARE(f.focused(), static_cast<QWidget *>(m.ok));
    // The list is read again once for the QSO, not for its new calls and
    // again for the cleared field.
    QSignalSpy out(&f.program->partialList, &QAbstractItemModel::rowsRemoved);
    QSignalSpy in(&f.program->partialList, &QAbstractItemModel::rowsInserted);
    QTest::keyClick(m.ok, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(out.count() + in.count(), 1); // the cleared field's empty list
    QCOMPARE(f.program->log.rowCount(), 2);
    QCOMPARE(typeFragment(), QString("UA1BXY*! UA1BZZ*~ UA1BCD*"));

    m.grid->setCurrentIndex(f.program->log.index(0, 0));
    (*f.program->editor).editRecord();
    m.heardCall->setText("UA1BAA");
    m.editOk->click();
    QCOMPARE(typeFragment(), QString("UA1BAA* UA1BXY*! UA1BZZ*~"));

    f.prompts.answer = true;
    m.grid->setCurrentIndex(f.program->log.index(1, 0));
    (*f.program->editor).deleteRecord();
    QCOMPARE(typeFragment(), QString("UA1BAA* UA1BZZ"));

    f.main->actions().clearLog->trigger();
    QTRY_COMPARE(typeFragment(), QString("UA1BZZ"));
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void PartialWindowTest::namedFileThatCannotBeUsedIsSaidAndHoldsNothingUp_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("said");
    QTest::newRow("missing") << "gone.scp"
                             << "Файл позывных %1 не прочитан: "; // and the system's reason
    QTest::newRow("a folder") << "folder"
                              << "Файл позывных %1 не загружен: это не обычный файл (устройство, канал или папка)";
    // Read without end until memory ran out.
    QTest::newRow("a device") << "/dev/zero"
                              << "Файл позывных %1 не загружен: это не обычный файл (устройство, канал или папка)";
    // Held the reader in open(): the log was never indexed and closing waited for ever.
    QTest::newRow("a named pipe") << "pipe"
                                  << "Файл позывных %1 не загружен: это не обычный файл (устройство, канал или папка)";
}

void PartialWindowTest::namedFileThatCannotBeUsedIsSaidAndHoldsNothingUp()
{
    QFETCH(QString, file);
    QFETCH(QString, said);
    MainFixture f;
    const QString path = file.startsWith('/') ? file : f.folder.file(file);
    if (file == "folder")
        QVERIFY(QDir().mkdir(path));
    if (file == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    writeIni(f.folder, "[Partial]\r\nFile=" + path.toLocal8Bit() + "\r\n");
    f.store.addQso(makeQso("UA1BCD"));
    f.open();
    QTRY_VERIFY2(f.form().statusPanel->text().startsWith(said.arg(path)), qPrintable(f.form().statusPanel->text()));
    QTRY_VERIFY(f.program->partialCalls.logReady());
    QVERIFY(f.program->partialCalls.log().contains(QStringLiteral("UA1BCD")));
    f.program.reset(); // closing waits for the reader
}

// Another program holds the log: every key reads the repeat counts and
// the listed calls' colours. Told once, not at every key, and again when the
// file is held anew.
void PartialWindowTest::lockedStoreIsToldOncePerFailure()
{
    MainFixture f;
    f.store.setBusyTimeout(20);
    fillLog(f.store, "+UA1ABC,RA3B +UA1ABD");
    QVERIFY(openWith(f, {}));
    f.main->actions().partialWindow->trigger(); // the colours are worked out while it is seen
    QLineEdit *call = f.form().heardCall;
    for (int held = 1; held <= 2; ++held) {
        {
            RawDb other(f.folder.storePath());
            QVERIFY(other.exec("BEGIN EXCLUSIVE"));
            QTest::keyClicks(call, "UA1");
            QTRY_COMPARE(f.prompts.storeErrors.size(), held);
            QTest::qWait(50);
            QCOMPARE(f.prompts.storeErrors.size(), held);
            QVERIFY2(f.prompts.storeErrors.last().contains("занят другой программой"),
                     qPrintable(f.prompts.storeErrors.last()));
        }
        call->clear();
        QTest::keyClicks(call, "UA1A"); // read again
        QCOMPARE(listed(f.program->partialList), QString("UA1ABD*! UA1ABC*!"));
        call->clear();
        QTest::qWait(50);
        QCOMPARE(f.prompts.storeErrors.size(), held);
    }
}

void PartialWindowTest::menuItemAndGeometryThroughSettings()
{
    MainFixture f;
    QVERIFY(openWith(f, {}, "Left=30\r\nTop=40\r\nWidth=250\r\nHeight=99999\r\n"));
    QAction *item = f.main->actions().partialWindow;
    QCOMPARE(item->text(), QString("Частичные позывные"));
    QVERIFY(!item->isChecked() && !f.partial->isVisible());
    item->trigger();
    QVERIFY(item->isChecked() && f.partial->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(f.partial));
    QCOMPARE(f.partial->pos(), QPoint(30, 40));
    QCOMPARE(f.partial->size(), QSize(250, f.partial->screen()->geometry().height()));
    f.partial->move(50, 60);
    f.partial->resize(210, 300);
    // Its own close button hides it and takes the tick away; the menu shows it again.
    f.partial->close();
    QTRY_VERIFY(!item->isChecked());
    QVERIFY(!f.partial->isVisible());
    item->trigger();
    QVERIFY(item->isChecked() && f.partial->isVisible());
    QCOMPARE(f.partial->pos(), QPoint(50, 60));
    f.program->saveSettings();
    QFile ini(f.folder.file("settings.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY2(text.contains("Left=50\r\nTop=60\r\nWidth=210\r\nHeight=300\r\n"), text.constData());
    QVERIFY(text.contains("[Partial]\r\nFile="));
}

QTEST_MAIN(PartialWindowTest)
#include "tst_partialwindow.moc"
