#include "tempdir.h"

#include "settings/inifile.h"
#include "settings/placement.h"

#include <QtTest>

namespace {

const QSize kScreen(1280, 1024);
const QSize kOuter(610, 440);

} // namespace

class SettingsIniTest : public QObject {
    Q_OBJECT
private slots:
    void mainPlacement_data();
    void mainPlacement();
    void centringTruncatesTowardsZero();
    void repeatWindowPlacement_data();
    void repeatWindowPlacement();
    void writingKeepsForeignSectionsAndKeys();
    void writingCreatesMissingFileWithCrLf();
    void unwritableFileReportsTheError_data();
    void unwritableFileReportsTheError();
};

void SettingsIniTest::mainPlacement_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<int>("layout");
    const QPoint centred((1280 - 610) / 2, (1024 - 440) / 2);
    QTest::newRow("no file") << QByteArray() << centred << 0;
    QTest::newRow("no Main section") << QByteArray("[Other]\nLeft=5\n") << centred << 0;
    QTest::newRow("Left=-1 ignores the rest") << QByteArray("[Main]\nLeft=-1\nTop=50\nPosition=1\n") << centred << 0;
    QTest::newRow("saved place") << QByteArray("[Main]\r\nLeft=10\r\nTop=50\r\nPosition=2\r\n") << QPoint(10, 50) << 2;
    QTest::newRow("names without case") << QByteArray("[mAIN]\nleft=10\nTOP=20\nposition=1\n") << QPoint(10, 20) << 1;
    QTest::newRow("Top missing is the design top") << QByteArray("[Main]\nLeft=10\n") << QPoint(10, 110) << 0;
    QTest::newRow("not a number counts as missing")
        << QByteArray("[Main]\nLeft=10\nTop=abc\nPosition=x\n") << QPoint(10, 110) << 0;
    QTest::newRow("Left not a number centres") << QByteArray("[Main]\nLeft=ten\nTop=5\n") << centred << 0;
    QTest::newRow("off screen kept") << QByteArray("[Main]\nLeft=-3000\nTop=9000\n") << QPoint(-3000, 9000) << 0;
    QTest::newRow("extremes: Qt's farthest place")
        << QByteArray("[Main]\nLeft=2147483647\nTop=-2147483648\n") << QPoint(16777215, -16777215) << 0;
}

void SettingsIniTest::mainPlacement()
{
    QFETCH(QByteArray, ini);
    QFETCH(QPoint, topLeft);
    QFETCH(int, layout);
    TestFolder folder;
    const QString path = ini.isNull() ? folder.file("settings.ini") : writeIni(folder, ini);
    IniFile file(path);
    file.load();
    const MainPlacement p = ::mainPlacement(file, kScreen, kOuter, 110);
    QCOMPARE(p.topLeft, topLeft);
    QCOMPARE(p.layout, layout);
}

void SettingsIniTest::centringTruncatesTowardsZero()
{
    QCOMPARE(centredEdge(400, 601), -100);
    QCOMPARE(centredEdge(1280, 611), 334);
}

void SettingsIniTest::repeatWindowPlacement_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QString>("section");
    QTest::newRow("no section") << QByteArray("[Main]\nLeft=1\n") << QRect((1280 - 384) / 2, (1024 - 292) / 2, 384, 292)
                                << "RptQso";
    QTest::newRow("all keys") << QByteArray("[RptQso]\nLeft=5\nTop=6\nHeight=200\nWidth=300\n") << QRect(5, 6, 300, 200)
                              << "RptQso";
    QTest::newRow("only Left") << QByteArray("[rptqso]\nLeft=5\n") << QRect(5, 557, 384, 292) << "RptQso";
    // A window larger than the screen only eats memory; the place stays as read.
    QTest::newRow("sizes beyond the screen")
        << QByteArray("[RptQso]\nLeft=-7\nTop=99999\nHeight=2147483647\nWidth=2147483647\n")
        << QRect(-7, 99999, 1280, 1024) << "RptQso";
    QTest::newRow("negative sizes") << QByteArray("[RptQso]\nLeft=5\nTop=6\nHeight=-20\nWidth=-2147483648\n")
                                    << QRect(5, 6, 384, 292) << "RptQso";
    QTest::newRow("zero sizes") << QByteArray("[RptQso]\nLeft=5\nTop=6\nHeight=0\nWidth=0\n") << QRect(5, 6, 384, 292)
                                << "RptQso";
    QTest::newRow("extremes: Qt's farthest place") << QByteArray("[RptQso]\nLeft=-2147483648\nTop=2147483647\n")
                                                   << QRect(-16777215, 16777215, 384, 292) << "RptQso";
    QTest::newRow("the statistics window's own section")
        << QByteArray("[RptQso]\nLeft=1\n[Stats]\nLeft=5\nTop=6\nHeight=200\nWidth=300\n") << QRect(5, 6, 300, 200)
        << "Stats";
    // The other tool windows open beside the main window when they have no place.
    QTest::newRow("no saved place") << QByteArray("[RptQso]\nLeft=1\n[Stats]\nLeft=-1\nTop=6\n") << QRect() << "Stats";
}

void SettingsIniTest::repeatWindowPlacement()
{
    QFETCH(QByteArray, ini);
    QFETCH(QRect, expected);
    TestFolder folder;
    IniFile file(writeIni(folder, ini));
    file.load();
    QFETCH(QString, section);
    const QRect design(0, 557, 384, 292);
    QCOMPARE(section == "RptQso" ? ::repeatWindowPlacement(file, kScreen, design)
                                 : ::savedToolWindowPlace(file, section, kScreen, design).value_or(QRect()),
             expected);
}

void SettingsIniTest::writingKeepsForeignSectionsAndKeys()
{
    TestFolder folder;
    // Foreign lines keep bytes that the code page has no letter for (NUL,
    // 0x98), a stray CR and Cyrillic letters in cp1251.
    const QByteArray other("[Other]\r\nKey=a\0b\x98"
                           "c\rd\r\nFile=C:\\\xcb\xee\xe3\xe8\r\n",
                           36);
    const QString path = writeIni(folder, "; comment\r\n[main]\r\nleft=1\r\nColour=blue\r\n\r\n" + other);
    IniFile file(path);
    file.load();
    file.writeInt("Main", "Left", 40);
    file.writeInt("Main", "Top", 50);
    file.writeInt("Main", "Position", 2);
    file.writeInt("RptQso", "Left", 7);
    QVERIFY(file.save());
    QCOMPARE(readAll(path), "; comment\r\n[main]\r\nLeft=40\r\nColour=blue\r\nTop=50\r\nPosition=2\r\n\r\n" + other +
                                "\r\n[RptQso]\r\nLeft=7\r\n");
}

void SettingsIniTest::writingCreatesMissingFileWithCrLf()
{
    TestFolder folder;
    IniFile file(folder.file("settings.ini"));
    file.load();
    QCOMPARE(file.readInt("Main", "Left"), std::optional<int>());
    file.writeInt("Main", "Left", -1);
    file.writeInt("Main", "Top", 110);
    QVERIFY(file.save());
    QCOMPARE(readAll(folder.file("settings.ini")), QByteArray("[Main]\r\nLeft=-1\r\nTop=110\r\n"));
}

void SettingsIniTest::unwritableFileReportsTheError_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "no/such/folder/settings.ini";
    QTest::newRow("a folder of that name") << "settings.ini";
}

void SettingsIniTest::unwritableFileReportsTheError()
{
    QFETCH(QString, name);
    TestFolder folder;
    QVERIFY(QDir().mkpath(folder.file("settings.ini")));
    IniFile file(folder.file(name));
    file.writeInt("Main", "Left", 1);
    QVERIFY(!file.save());
    QVERIFY2(file.error().startsWith("Не удалось сохранить настройки окон в файл " +
                                     QDir::toNativeSeparators(folder.file(name)) + ": его нельзя открыть для записи"),
             qPrintable(file.error()));
}

QTEST_GUILESS_MAIN(SettingsIniTest)
#include "tst_settingsini.moc"
