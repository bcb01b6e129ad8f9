#include "export/adif.h"

#include <QtTest>

class AdifTest : public QObject {
    Q_OBJECT
private slots:
    void frequency_data();
    void frequency();
    void recordsOfOneRow();
    void fieldsStayOneLineAndCountCharacters_data();
    void fieldsStayOneLineAndCountCharacters();
    void header();
};

void AdifTest::frequency_data()
{
    struct Row {
        const char *name, *band, *freq;
    };
    const Row rows[] = {
        {"14000", "14000", "14"},
        {"3500", "3500", "3.5"},
        {"1800", "1800", "1.8"},
        {"7040", "7040", "7.04"},
        {"14001", "14001", "14.001"},
        {"144 is MHz", "144", "144"},
        {"432 is MHz", "432", "432"},
        {"500", "500", "0.5"},
        {"typed text", "20m", ""},
        {"negative under a thousand", "-500", "-0.5"},
        {"lowest whole number", "-9223372036854775808", "-9223372036854775.808"},
        {"highest whole number", "9223372036854775807", "9223372036854775.807"},
        {"beyond whole numbers", "9223372036854775808", ""},
        {"empty", "", ""},
    };
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("freq"); // empty: not a whole number
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.band) << QString(r.freq);
}

void AdifTest::frequency()
{
    QFETCH(QString, band);
    QFETCH(QString, freq);
    QLocale::setDefault(QLocale(QLocale::Russian)); // a comma would be wrong
    const auto f = adifFrequency(band);
    QCOMPARE(f.value_or(QString()), freq);
    QLocale::setDefault(QLocale::c());
}

void AdifTest::recordsOfOneRow()
{
    QsoRecord q;
    q.band = "7000";
    q.mode = "PH";
    q.data = "2026-12-06";
    q.time = "0915";
    q.call1 = "UA1A";
    q.rst1 = "59";
    q.nr1 = "001";
    q.call2 = "RA3B";
    q.rst2 = "57";
    q.nr2 = "015";
    QByteArray out;
    appendAdifRecords(out, "UA9A", q, "7");
    QCOMPARE(out, QByteArray("<OPERATOR:4>UA9A<CALL:4>UA1A<QSO_DATE:8>20261206<TIME_ON:4>0915<FREQ:1>7<MODE:3>SSB"
                             "<RST_RCVD:2>59<SRX:3>001<EOR>\r\n"
                             "<OPERATOR:4>UA9A<CALL:4>RA3B<QSO_DATE:8>20261206<TIME_ON:4>0915<FREQ:1>7<MODE:3>SSB"
                             "<RST_RCVD:2>57<SRX:3>015<EOR>\r\n"));
    q.nr2.clear();
    q.call1.clear();
    q.mode = "CW";
    out.clear();
    appendAdifRecords(out, "UA9A", q, "7");
    QCOMPARE(out, QByteArray("<OPERATOR:4>UA9A<CALL:0><QSO_DATE:8>20261206<TIME_ON:4>0915<FREQ:1>7<MODE:2>CW"
                             "<RST_RCVD:2>59<SRX:3>001<EOR>\r\n"));
}

void AdifTest::fieldsStayOneLineAndCountCharacters_data()
{
    QTest::addColumn<QString>("nr");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("Cyrillic, a byte each") << "РА1А"
                                           << QByteArray("<SRX:4>\xD0\xC0"
                                                         "1\xC0<EOR>");
    QTest::newRow("outside the first plane, one ?") << QString::fromUtf8("1😀") << QByteArray("<SRX:2>1?<EOR>");
    QTest::newRow("line feed and NUL") << QString::fromUtf8("1\n2\0", 4) << QByteArray("<SRX:4>1 2 <EOR>");
    QTest::newRow("CR, tab, DEL") << "\r1\t2\x7f" << QByteArray("<SRX:5> 1 2 <EOR>");
}

void AdifTest::fieldsStayOneLineAndCountCharacters()
{
    QFETCH(QString, nr);
    QFETCH(QByteArray, field);
    QsoRecord q;
    q.nr1 = nr;
    QByteArray out;
    appendAdifRecords(out, "UA9A", q, "14");
    QVERIFY2(out.endsWith(field + "\r\n"), out.constData());
    QCOMPARE(out.count('\n'), 1);
}

void AdifTest::header()
{
    QCOMPARE(adifHeader("https://x", "06.12.2026 12:00:00"),
             QByteArray("#Vireok v.1.3 https://x\r\n#  Created: 06.12.2026 12:00:00\r\n#\r\n"
                        "<PROGRAMID:13>Kalvex Vireok\r\n<PROGRAMVERSION:3>1.3\r\n<ADIF_VER:3>2.0\r\n<EOH>\r\n"));
}

QTEST_GUILESS_MAIN(AdifTest)
#include "tst_adif.moc"
