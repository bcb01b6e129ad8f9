#include "entryedit.h"
#include "logmodel.h"
#include "mainfixture.h"

#include <QCheckBox>
#include <QLabel>
#include "loggrid.h"
#include <QMenuBar>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void countersShowQsosAndPoints();
    void emptyLogShowsZeroCounters();
    void layoutItemAlternatesAndKeepsTexts();
    void savedVerticalLayoutIsWrittenBackUnchanged();
    void menusCarryTheirCaptions();
    void manualIsOpenedFromTheWorkingDirectory();
    void foreignStoreShowsTheErrorAndTheWindowStillOpens();
    void frameIsFixedAndThePanelCoversTheGrid();
};

struct Fixture : MainFixture {};

void MainWindowTest::countersShowQsosAndPoints()
{
    Fixture f;
    f.store.addQso(makeQso("UA1A", "001", "RA3B", "15"));
    f.store.addQso(makeQso("UA1B", "002"));
    f.store.addQso(makeQso("UA1C", "003"));
    TMain &main = f.open();
    QCOMPARE(main.form().panel[2]->text(), QString("QSO: 3"));
    QCOMPARE(main.form().panel[3]->text(), QString("Points: 5"));
    QCOMPARE(main.form().grid->currentIndex().row(), 2);
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void MainWindowTest::emptyLogShowsZeroCounters()
{
    Fixture f;
    TMain &main = f.open();
    QCOMPARE(main.form().panel[2]->text(), QString("QSO: 0"));
    QCOMPARE(main.form().panel[3]->text(), QString("Points: 0"));
    QCOMPARE(main.form().panel[4]->text(), QString());
}

void MainWindowTest::layoutItemAlternatesAndKeepsTexts()
{
    Fixture f;
    TMain &main = f.open();
    const MainForm &form = main.form();
    form.heardCall->setText("UA1A");
    QCOMPARE(main.layoutAction()->text(), QString("Установить окна ввода горизонтально"));
    QVERIFY(!main.layoutAction()->isChecked());
    QCOMPARE(form.workedCall->geometry(), QRect(192, 336, 147, 28));

    main.layoutAction()->trigger();
    QCOMPARE(main.entryLayout(), 1);
    QVERIFY(main.layoutAction()->isChecked());
    QCOMPARE(main.layoutAction()->text(), QString("Установить окна ввода вертикально"));
    QCOMPARE(form.workedCall->geometry(), QRect(360, 304, 168, 28));
    QCOMPARE(form.heardNumber->geometry(), QRect(240, 336, 120, 28));

    main.layoutAction()->trigger();
    QCOMPARE(main.entryLayout(), 0);
    QVERIFY(!main.layoutAction()->isChecked());
    QCOMPARE(form.workedCall->geometry(), QRect(192, 336, 147, 28));
    QCOMPARE(form.heardCall->text(), QString("UA1A"));
}

void MainWindowTest::savedVerticalLayoutIsWrittenBackUnchanged()
{
    Fixture f;
    {
        QFile ini(f.folder.file("settings.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLeft=20\r\nTop=30\r\nPosition=2\r\n");
    }
    {
        TMain &main = f.open();
        QCOMPARE(main.entryLayout(), 2);
        QVERIFY(main.layoutAction()->isChecked());
        QCOMPARE(main.pos(), QPoint(20, 30));
        main.saveSettings();
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
    for (const char *caption : {"Выгрузить лог -> формат: CABRILLO", "Выгрузить лог -> формат: ЕРМАК",
                                "Выгрузить лог -> формат: ADIF", "Очистить лог", "Выход", "Сведения о станции",
                                "Синхронизировать  время ч/з интернет", "Повторные связи",
                                "Руководство пользователя", "О программе", "Редактировать запись",
                                "Удалить запись"})
        QVERIFY2(main.action(QString::fromUtf8(caption)), caption);
    QVERIFY(!main.action("Очистить лог")->icon().isNull());
}

void MainWindowTest::manualIsOpenedFromTheWorkingDirectory()
{
    Fixture f;
    TMain &main = f.open();
    main.action("Руководство пользователя")->trigger();
    QCOMPARE(f.desktop.opened, QStringList("manual.pdf"));
}

void MainWindowTest::foreignStoreShowsTheErrorAndTheWindowStillOpens()
{
    Fixture f;
    {
        QFile junk(f.folder.storePath());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a database at all, just text");
    }
    TMain &main = f.open();
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    QVERIFY(f.prompts.storeErrors.first().contains("vireok.mdb"));
    QCOMPARE(main.form().panel[2]->text(), QString());
    QCOMPARE(main.form().heardCall->geometry(), QRect(192, 304, 147, 28));
}

void MainWindowTest::frameIsFixedAndThePanelCoversTheGrid()
{
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.store.addQso(makeQso(QString("UA%1A").arg(i)));
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

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
