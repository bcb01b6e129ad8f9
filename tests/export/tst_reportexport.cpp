#include "platformfiles.h"
#include "stubs.h"
#include "tempdir.h"

#include "export/picturesave.h"
#include "export/reportexport.h"
#include "store/store.h"

#include <QDir>
#include <QImage>
#include <QtTest>

/// The three export commands on a real store, with the dialog and the boxes stubbed.
class ReportExportTest : public QObject {
    Q_OBJECT
private slots:
    void missingCallSignStopsBeforeTheDialog();
    void cancelledDialogWritesNothing();
    void cabrilloFileIsWholeAndNamedInTheMessage();
    void ermakWritesCyrillicAndNamesTheWrittenFile();
    void emptyLogGivesHeaderAndEndInEveryFormat();
    void unsavedContestSettingsCreateNoFile_data();
    void unsavedContestSettingsCreateNoFile();
    void adifWithATypedBandStopsAndLeavesTheOldFile();
    void unwritablePlacesGiveTheErrorBoxAndNoPartialFile_data();
    void unwritablePlacesGiveTheErrorBoxAndNoPartialFile();
    void reportOntoTheLogsOwnFilesIsRefused_data();
    void reportOntoTheLogsOwnFilesIsRefused();
    void damagedPageStopsTheExportWithoutAFile_data();
    void damagedPageStopsTheExportWithoutAFile();
};

struct Fixture {
    TestFolder folder;
    Store store{folder.storePath()};
    StubPrompts prompts;
    StubClock clock;
    bool walked = false;
    ReportExport exporter{store, prompts, clock, nullptr,
                          ReportExport::Hooks{[this] { return folder.file(""); }, [this](bool) { walked = true; },
                                              QStringLiteral("https://x"), QString()}};

    Fixture()
    {
        store.writeLog({{"CALLSIGN", " R9AA "},
                        {"CONTEST", "RDXC"},
                        {"ALIGN", "R"},
                        {"POSNR10", "4"},
                        {"POSNR11", "7"},
                        {"POSNR20", "4"},
                        {"POSNR21", "7"},
                        {"NAMEE", "Иванов П. С."},
                        {"NAMEEE", "P. S. Ivanov"}});
        prompts.chosenFile = folder.file("out.cbr");
    }
    QByteArray written(const QString &name = QStringLiteral("out.cbr")) const
    {
        QFile f(folder.file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

void ReportExportTest::missingCallSignStopsBeforeTheDialog()
{
    Fixture f;
    f.store.writeLog({{"CALLSIGN", "   "}});
    f.exporter.cabrillo();
    f.exporter.adif();
    QCOMPARE(
        f.prompts.informed,
        QStringList(2, "Выгрузка невозможна!\n\rЗаполните раздел \"Сведения о станции\".\n\rМеню -> \"Установки\""));
    QVERIFY(f.prompts.proposedName.isEmpty());
}

void ReportExportTest::cancelledDialogWritesNothing()
{
    Fixture f;
    f.prompts.chosenFile.clear();
    f.exporter.ermak();
    QCOMPARE(f.prompts.proposedName, QString("R9AA.cbr"));
    QCOMPARE(f.prompts.dialogFolder, f.folder.file(""));
    QVERIFY(f.prompts.informed.isEmpty());
    QVERIFY(QDir(f.folder.file("")).entryList({"*.cbr"}).isEmpty());
}

void ReportExportTest::cabrilloFileIsWholeAndNamedInTheMessage()
{
    Fixture f;
    f.store.addQso(makeQso("UA1AAA", "001", "RA3BBB", "015"));
    QVERIFY(writeAll(f.folder.file("out.cbr"),
                     "an older report that is much longer than the new one will be, and must go away entirely......"));
    f.exporter.cabrillo();
    const QByteArray text = f.written();
    QVERIFY(text.startsWith("START-OF-LOG: 3.0\r\nCONTEST: RDXC\r\nCALLSIGN: R9AA\r\n"));
    QVERIFY(text.contains("NAME: P. S. Ivanov\r\n"));
    QVERIFY(text.endsWith("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599    001 RA3BBB        599    015 \r\n"
                          "END-OF-LOG:\r\n"));
    QCOMPARE(f.prompts.informed,
             QStringList("Выгрузка в файл  " + f.folder.file("out.cbr") + " фомата \"CABRILLO\" произведена!"));
    QVERIFY(f.walked);
}

void ReportExportTest::ermakWritesCyrillicAndNamesTheWrittenFile()
{
    Fixture f;
    f.store.writeOperator({{"FAM", "Иванов"}, {"CALL", "R9AA"}});
    f.store.addQso(makeQso("UA1AAA", "001", "RA3BBB", "015"));
    f.exporter.ermak();
    // The whole file, byte for byte on every system: Иванов, П, С in
    // Windows-1251 as its published table gives them.
    QCOMPARE(f.written(),
             QByteArray("START-OF-LOG: 3.0\r\nCONTEST: RDXC\r\nCALLSIGN: R9AA\r\n"
                        "CREATED-BY: Kalvex Vireok v.1.4\r\n"
                        "NAME: \xC8\xE2\xE0\xED\xEE\xE2 \xCF. \xD1.\r\n"
                        "OPERATORS: \xC8\xE2\xE0\xED\xEE\xE2, , , , , R9AA, ,\r\n"
                        "QSO: 14000 CW 2026-12-06 0915 UA1AAA        599    001 RA3BBB        599    015 \r\n"
                        "END-OF-LOG:\r\n"));
    QCOMPARE(f.prompts.informed,
             QStringList("Выгрузка в файл  " + f.folder.file("out.cbr") + "  формата \"ЕРМАК\" произведена!"));
}

void ReportExportTest::emptyLogGivesHeaderAndEndInEveryFormat()
{
    Fixture f;
    f.exporter.cabrillo();
    QVERIFY(f.written().endsWith("CREATED-BY: Kalvex Vireok v.1.4\r\nNAME: P. S. Ivanov\r\nEND-OF-LOG:\r\n"));
    f.prompts.chosenFile = f.folder.file("out.adi");
    f.exporter.adif();
    QCOMPARE(f.written("out.adi").count("\r\n"), 7);
    QVERIFY(f.written("out.adi").endsWith("<EOH>\r\n"));
    QCOMPARE(f.prompts.proposedName, QString("R9AA.adi"));
    QCOMPARE(f.prompts.informed.last(),
             QString("Выгрузка в файл  " + f.folder.file("out.adi") + "  формата \"ADIF\" произведена!"));
}

void ReportExportTest::unsavedContestSettingsCreateNoFile_data()
{
    struct Row {
        const char *name, *field, *width, *named;
    };
    const Row rows[] = {
        {"never saved", "POSNR11", "", ""},
        // Each group would be padded to two thousand million blanks.
        {"width beyond bound", "POSNR21", "2000000000",
         "ширина группы отчета POSNR21 равна 2000000000, а больше 100 быть не может"},
        {"width beyond whole numbers", "POSNR10", "99999999999999999999", "POSNR10 равна 99999999999999999999"},
        {"width just beyond bound", "POSNR20", "101", "POSNR20 равна 101"},
    };
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("named"); // what the message must say of the width
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.field) << QString(r.width) << QString(r.named);
}

void ReportExportTest::unsavedContestSettingsCreateNoFile()
{
    QFETCH(QString, field);
    QFETCH(QString, width);
    QFETCH(QString, named);
    Fixture f;
    f.store.writeLog({{field, width}});
    f.exporter.cabrillo();
    QVERIFY(!QFile::exists(f.folder.file("out.cbr")));
    QCOMPARE(f.prompts.informed.size(), 1);
    QVERIFY(f.prompts.informed.first().contains("Соревнования"));
    QVERIFY(f.prompts.informed.first().contains("СОХРАНИТЬ"));
    QVERIFY2(f.prompts.informed.first().contains(named), qPrintable(f.prompts.informed.first()));
}

void ReportExportTest::adifWithATypedBandStopsAndLeavesTheOldFile()
{
    Fixture f;
    f.store.addQso(makeQso("UA1A", "001"));
    QsoRecord bad = makeQso("UA1B", "002", "", "", "20m");
    bad.time = "1234";
    f.store.addQso(bad);
    f.prompts.chosenFile = f.folder.file("out.adi");
    QVERIFY(writeAll(f.prompts.chosenFile, "old"));
    f.exporter.adif();
    QCOMPARE(f.written("out.adi"), QByteArray("old"));
    QCOMPARE(f.prompts.errors.size(), 1);
    QVERIFY(f.prompts.errors.first().startsWith("Ошибка|"));
    QVERIFY(f.prompts.errors.first().contains("\"20m\""));
    QVERIFY(f.prompts.errors.first().contains("2026-12-06 1234"));
    QVERIFY(f.prompts.informed.isEmpty());
}

void ReportExportTest::unwritablePlacesGiveTheErrorBoxAndNoPartialFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("full disk") << "/dev/full";
    QTest::newRow("missing folder") << "no/such/folder/out.cbr";
}

void ReportExportTest::unwritablePlacesGiveTheErrorBoxAndNoPartialFile()
{
    QFETCH(QString, path);
    Fixture f;
    f.store.addQso(makeQso("UA1A", "001"));
    f.prompts.chosenFile = path.startsWith('/') ? path : f.folder.file(path);
    f.exporter.cabrillo();
    QCOMPARE(f.prompts.errors.size(), 1);
    QVERIFY(f.prompts.errors.first().startsWith("Ошибка|Произошла ошибка"));
    QVERIFY(f.prompts.informed.isEmpty());
    QCOMPARE(QDir(f.folder.file("")).entryList(QDir::Files | QDir::Hidden), QStringList({"vireok.mdb"}));
}

void ReportExportTest::reportOntoTheLogsOwnFilesIsRefused_data()
{
    // The name the dialog returns, and how report.cbr is made beforehand.
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("make");
    QTest::newRow("store, full path") << "@/vireok.mdb"
                                      << "";
    QTest::newRow("store, relative name") << "vireok.mdb"
                                          << "";
    QTest::newRow("store, dotted relative name") << "./sub/../vireok.mdb"
                                                 << "";
    QTest::newRow("store, symbolic link") << "report.cbr"
                                          << "symlink";
    QTest::newRow("store, hard link") << "report.cbr"
                                      << "hardlink";
    QTest::newRow("journal side file") << "vireok.mdb-journal"
                                       << "";
    QTest::newRow("WAL side files") << "@/vireok.mdb-wal"
                                    << "";
    QTest::newRow("shared-memory side file") << "vireok.mdb-shm"
                                             << "";
    QTest::newRow("link to a journal not there yet") << "report.cbr"
                                                     << "journal-link";
    QTest::newRow("settings.ini") << "settings.ini"
                                  << "";
    QTest::newRow("settings.ini, symbolic link") << "report.cbr"
                                                 << "ini-link";
}

void ReportExportTest::reportOntoTheLogsOwnFilesIsRefused()
{
    QFETCH(QString, chosen);
    QFETCH(QString, make);
    if (make.endsWith("link") && make != "hardlink" && !PlatformFiles::kSymbolicLinks)
        QSKIP("QFile::link makes a shortcut here, which the system does not follow");
    TestFolder folder;
    QVERIFY(QDir().mkpath(folder.file("sub")));
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.file("")));
    struct Back {
        QString to;
        ~Back() { QDir::setCurrent(to); }
    } back{home};
    // The program names its store by the bare relative name.
    Store store(QStringLiteral("vireok.mdb"));
    store.writeLog({{"CALLSIGN", "R9AA"}, {"POSNR10", "4"}, {"POSNR11", "7"}, {"POSNR20", "4"}, {"POSNR21", "7"}});
    store.addQso(makeQso("UA1AAA"));
    QVERIFY(writeAll("settings.ini", "[Main]\r\nLeft=10\r\n"));
    if (make == "symlink")
        QVERIFY(QFile::link("vireok.mdb", "report.cbr"));
    else if (make == "hardlink")
        QVERIFY(PlatformFiles::hardLink("vireok.mdb", "report.cbr"));
    else if (make == "journal-link")
        QVERIFY(QFile::link(folder.file("vireok.mdb-journal"), "report.cbr"));
    else if (make == "ini-link")
        QVERIFY(QFile::link("sub/../settings.ini", "report.cbr"));
    const auto bytes = [](const QString &name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    };
    const QByteArray storeBefore = bytes("vireok.mdb");
    const QByteArray iniBefore = bytes("settings.ini");
    const QStringList filesBefore = QDir().entryList(QDir::Files | QDir::System);

    StubPrompts prompts;
    StubClock clock;
    ReportExport exporter(
        store, prompts, clock, nullptr,
        {[&] { return folder.file(""); }, [](bool) {}, QStringLiteral("https://x"), folder.file("settings.ini")});
    prompts.chosenFile = chosen.startsWith('@') ? folder.file(chosen.mid(2)) : chosen;
    exporter.cabrillo();
    exporter.ermak();
    exporter.adif();
    // The statistics picture is refused by the same rules.
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(!savePicture(picture, prompts, nullptr, {folder.file(""), store.path(), folder.file("settings.ini")}));

    QCOMPARE(prompts.errors.size(), 4);
    for (const QString &e : prompts.errors) {
        const QString what = e == prompts.errors.last() ? "Изображение" : "Отчет";
        QVERIFY2(e.startsWith("Ошибка|" + what + " нельзя записать в файл " + prompts.chosenFile + ":"), qPrintable(e));
        QVERIFY2(e.contains("Выберите другое имя файла."), qPrintable(e));
        QVERIFY2(e.contains(make.startsWith("ini") || chosen == "settings.ini"
                                ? "это файл настроек Vireok (settings.ini), "
                                : "это файл журнала Vireok (vireok.mdb"),
                 qPrintable(e));
    }
    QVERIFY(prompts.informed.isEmpty());
    QCOMPARE(bytes("vireok.mdb"), storeBefore);
    QCOMPARE(bytes("settings.ini"), iniBefore);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::System), filesBefore);
    QCOMPARE(store.qsoIds().size(), size_t(1));
}

void ReportExportTest::damagedPageStopsTheExportWithoutAFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("Cabrillo") << "cbr";
    QTest::newRow("ERMAK") << "ermak";
    QTest::newRow("ADIF") << "adi";
}

void ReportExportTest::damagedPageStopsTheExportWithoutAFile()
{
    QFETCH(QString, format);
    TestFolder folder;
    storeWithMarkedQsos(folder.storePath(), 10000);
    {
        Store store(folder.storePath());
        store.writeLog({{"CALLSIGN", "R9AA"}, {"POSNR10", "4"}, {"POSNR11", "7"}, {"POSNR20", "4"}, {"POSNR21", "7"}});
    }
    // Far enough in that the first pages of the walk read well.
    QVERIFY(damagePageHolding(folder.storePath(), "N06000-MARK"));
    Store store(folder.storePath());
    StubPrompts prompts;
    StubClock clock;
    ReportExport exporter(store, prompts, clock, nullptr,
                          {[&] { return folder.file(""); }, [](bool) {}, "https://x", ""});
    prompts.chosenFile = folder.file("out." + format);
    if (format == "cbr")
        exporter.cabrillo();
    else if (format == "ermak")
        exporter.ermak();
    else
        exporter.adif();
    QCOMPARE(prompts.storeErrors.size(), 1);
    QVERIFY(prompts.informed.isEmpty());
    QVERIFY(!QFile::exists(prompts.chosenFile));
}

QTEST_GUILESS_MAIN(ReportExportTest)
#include "tst_reportexport.moc"
