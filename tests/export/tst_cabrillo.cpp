#include "systemcodepage.h"

#include "export/cabrillo.h"
#include "files/cp1251.h"

#include <QHash>
#include <QtTest>

namespace {

FieldGetter fields(const QHash<QString, QString> &values)
{
    return [values](const QString &f) { return values.value(f); };
}

QsoRecord row(const QString &band, const QString &mode, const QString &time, const QString &call1, const QString &rst1,
              const QString &nr1, const QString &call2, const QString &rst2, const QString &nr2)
{
    QsoRecord q;
    q.band = band;
    q.mode = mode;
    q.data = "2026-12-06";
    q.time = time;
    q.call1 = call1;
    q.rst1 = rst1;
    q.nr1 = nr1;
    q.call2 = call2;
    q.rst2 = rst2;
    q.nr2 = nr2;
    return q;
}

QByteArray qsoLine(const QsoRecord &q, const ReportLayout &layout)
{
    QByteArray out;
    appendQsoLine(out, q, layout);
    return out;
}

QByteArray header(const QVector<HeaderLine> &h)
{
    QByteArray out;
    appendHeader(out, h);
    return out;
}

const QsoRecord kFull = row("14000", "CW", "0915", "UA1AAA", "599", "001", "RA3BBB", "599", "015");

} // namespace

Q_DECLARE_METATYPE(QsoRecord)

class CabrilloTest : public QObject {
    Q_OBJECT
private slots:
    void qsoLines_data();
    void qsoLines();
    void layoutFromTheLogRow_data();
    void layoutFromTheLogRow();
    void headerWithOnlyTheCallSign();
    void headerTrimsAndLeavesOutEmptyValues();
    void ermakHeaderUsesCyrillicLinesAndOperators();
    void codePageTurnsUnknownCharactersIntoQuestionMarks();
    void codePageAgreesWithTheSystemConverter();
};

void CabrilloTest::qsoLines_data()
{
    QTest::addColumn<QsoRecord>("qso");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QVector<int>>("widths"); // report and number of each station
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("56/70 right")
        << kFull << false << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599    001 RA3BBB        599    015 ");
    QTest::newRow("56/70 left")
        << kFull << true << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599 001    RA3BBB        599 015    ");
    QTest::newRow("59/73 right")
        << kFull << false << QVector<int>{4, 10, 4, 10}
        << QByteArray("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599       001 RA3BBB        599       015 ");
    QTest::newRow("66/80 right")
        << kFull << false << QVector<int>{4, 17, 4, 17}
        << QByteArray("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599              001 RA3BBB        599"
                      "              015 ");
    const QsoRecord single = row("3500", "PH", "0916", "UA1AAA", "59", "002", "", "", "");
    QTest::newRow("no second station") << single << false << QVector<int>{4, 7, 4, 7}
                                       << QByteArray("QSO:  3500 PH 2026-12-06 0916 UA1AAA         59    002 ") +
                                              QByteArray(25, ' ');
    QTest::newRow("no second station, left")
        << single << true << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO: 3500  PH 2026-12-06 0916 UA1AAA        59  002    ") + QByteArray(25, ' ');
    QTest::newRow("overlong call kept whole")
        << row("7000", "CW", "0917", "UA1AAA/MM/1234", "599", "3", "R", "599", "4") << false << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO:  7000 CW 2026-12-06 0917 UA1AAA/MM/1234 599      3 R             599      4 ");
    QTest::newRow("line breaks and NUL inside fields are blanks")
        << row("7000", "C\nW", "09\r7", "UA1\r\nA", "599", QString("0") + QChar(0) + "1", "R\x1f", "599\x7f", "4\t")
        << false << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO:  7000 C W 2026-12-06 09 7 UA1  A        599    0 1 R             599      4  ");
    // Four widths apart, so that no group can take another's: a report
    // group narrower than its text keeps the text whole.
    QTest::newRow("four widths apart")
        << kFull << false << QVector<int>{3, 5, 6, 9}
        << QByteArray("QSO: 14000 CW 2026-12-06 0915 UA1AAA        599  001 RA3BBB          599      015 ");
    QTest::newRow("band of six characters fills its group")
        << row("144000", "CW", "0918", "UA1A", "599", "1", "", "", "") << false << QVector<int>{4, 7, 4, 7}
        << QByteArray("QSO: 144000 CW 2026-12-06 0918 UA1A          599      1                          ");
}

void CabrilloTest::qsoLines()
{
    QFETCH(QsoRecord, qso);
    QFETCH(bool, left);
    QFETCH(QVector<int>, widths);
    QFETCH(QByteArray, line);
    QCOMPARE(qsoLine(qso, ReportLayout{left, widths[0], widths[1], widths[2], widths[3]}), line + "\r\n");
}

void CabrilloTest::layoutFromTheLogRow_data()
{
    struct Row {
        const char *name, *align, *numberWidth;
        bool valid, left;
    };
    const Row rows[] = {
        {"L", "L", "7", true, true},
        {"R", "R", "10", true, false},
        {"empty align", "", " 17 ", true, false},
        {"small l", "l", "7", true, false},
        {"never saved", "", "", false, false},
        {"not a number", "L", "7a", false, false},
        {"widest allowed", "L", "100", true, true},
        {"two thousand million", "L", "2000000000", false, false},
        {"negative adds nothing", "L", "-1", true, true},
        {"negative beyond whole numbers", "R", "-99999999999999999999", true, false},
        {"just beyond bound", "L", "101", false, false},
    };
    QTest::addColumn<QString>("align");
    QTest::addColumn<QString>("numberWidth");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("left");
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.align) << QString(r.numberWidth) << r.valid << r.left;
}

void CabrilloTest::layoutFromTheLogRow()
{
    QFETCH(QString, align);
    QFETCH(QString, numberWidth);
    QFETCH(bool, valid);
    QFETCH(bool, left);
    // The other three widths apart from it and from each other, so that no
    // field can stand for another.
    const auto layout = reportLayout(
        fields({{"ALIGN", align}, {"POSNR10", "3"}, {"POSNR11", numberWidth}, {"POSNR20", "6"}, {"POSNR21", "9"}}));
    QCOMPARE(bool(layout), valid);
    if (valid) {
        QVERIFY(!widthOutOfBounds(fields({{"POSNR11", numberWidth}})));
        QCOMPARE(layout->leftAligned, left);
        QCOMPARE(QVector<int>({layout->report1, layout->number1, layout->report2, layout->number2}),
                 QVector<int>({3, qMax(0, numberWidth.trimmed().toInt()), 6, 9}));
    }
}

void CabrilloTest::headerWithOnlyTheCallSign()
{
    QCOMPARE(header(cabrilloHeader(fields({{"CALLSIGN", " R9AA "}}))),
             QByteArray("START-OF-LOG: 3.0\r\nCALLSIGN: R9AA\r\nCREATED-BY: Kalvex Vireok v.1.4\r\n"));
}

void CabrilloTest::headerTrimsAndLeavesOutEmptyValues()
{
    const QByteArray text = header(cabrilloHeader(fields({
        {"CALLSIGN", "R9AA"},
        {"CONTEST", "RDXC"},
        {"CATEGORY-BAND", "ALL "},
        {"CATEGORY-STATION", " "},
        {"CATEGORY-OPERATOR", "SINGLE-OP"},
        {"OFFTIME1", "2013-03-02 1500 2013-03-02 1600"},
        {"OFFTIME2", " "},
        {"CLUB", "\tCLUB\r"},
        {"NAMEEE", "P. S. Ivanov"},
        {"ADDRESS2E", "Novosibirsk"},
        {"ADDRESS3", "630000"},
        {"OPERATORS", "R9AA R9AB"},
        {"SOAPBOX", QString("TNX,\r\n73!") + QChar(0)},
    })));
    QCOMPARE(text, QByteArray("START-OF-LOG: 3.0\r\n"
                              "CONTEST: RDXC\r\n"
                              "CALLSIGN: R9AA\r\n"
                              "CATEGORY-OPERATOR: SINGLE-OP\r\n"
                              "CATEGORY-BAND: ALL\r\n"
                              "OFFTIME: 2013-03-02 1500 2013-03-02 1600\r\n"
                              "CLUB: CLUB\r\n"
                              "CREATED-BY: Kalvex Vireok v.1.4\r\n"
                              "NAME: P. S. Ivanov\r\n"
                              "ADDRESS: Novosibirsk\r\n"
                              "ADDRESS: 630000\r\n"
                              "OPERATORS: R9AA R9AB\r\n"
                              "SOAPBOX: TNX,  73!\r\n"));
}

void CabrilloTest::ermakHeaderUsesCyrillicLinesAndOperators()
{
    const auto log = fields({{"CALLSIGN", "R9AA"},
                             {"NAMEEE", "P. S. Ivanov"},
                             {"ADDRESS1", "ул. Ленина, 1"},
                             {"ADDRESS1E", "Lenina 1"},
                             {"ADDRESS3", "630000"},
                             {"OPERATORS", "NOT USED"}});
    const QByteArray empty = header(ermakHeader(log, fields({})));
    QVERIFY(!empty.contains("NAME:"));
    QVERIFY(!empty.contains("NOT USED"));
    QVERIFY(empty.contains(toCp1251(u"ADDRESS: ул. Ленина, 1\r\nADDRESS: 630000\r\nOPERATORS: , , , , , , ,\r\n")));
    const QByteArray full = header(ermakHeader(log, fields({{"FAM", " Иванов"},
                                                            {"IMYA", "Пётр"},
                                                            {"OTCH", "С"},
                                                            {"GODR", "1970"},
                                                            {"RAZR", "КМС"},
                                                            {"CALL", "R9AA "}})));
    QVERIFY(full.contains(toCp1251(u"OPERATORS:  Иванов, Пётр, С, 1970, КМС, R9AA , ,\r\n")));
}

void CabrilloTest::codePageTurnsUnknownCharactersIntoQuestionMarks()
{
    QCOMPARE(toCp1251(u"Ёж №1"), QByteArray("\xA8\xE6 \xB9"
                                            "1"));
    QCOMPARE(toCp1251(u"ß€😀Ω"), QByteArray("?\x88??"));
}

void CabrilloTest::codePageAgreesWithTheSystemConverter()
{
    // Every byte of the code page through the system's converter, which the
    // program does not use, and back through the program's own table.
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        // The one byte the code page leaves empty: iconv refuses it, Windows
        // reads it as the control U+0098; the program as unknown.
        if (b == 0x98) {
            QCOMPARE(fromCp1251(byte), QString(QChar(QChar::ReplacementCharacter)));
            continue;
        }
        const std::optional<QString> system = systemCp1251(static_cast<unsigned char>(b));
        QVERIFY(system);
        QCOMPARE(fromCp1251(byte), *system);
        if (b != 0)
            QCOMPARE(toCp1251(*system), byte);
    }
}

QTEST_GUILESS_MAIN(CabrilloTest)
#include "tst_cabrillo.moc"
