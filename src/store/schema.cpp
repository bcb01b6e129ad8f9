#include "schema.h"

#include "contestfields.h"
#include "storeerror.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace Schema {

namespace {

const QStringList kTours = {"TUR1B", "TUR1E", "TUR2B", "TUR2E", "TUR3B", "TUR3E", "TUR4B", "TUR4E"};

struct StarterContest {
    const char *shortName;
    const char *russianName;
    const char *mode; ///< CATEGORY-MODE
};

// Names the contest robots and Cabrillo readers know, so a new user can
// choose one and save at once, with the categories of a listener's entry
// in it: a CW contest saved as SSB would be checked against the wrong logs.
const StarterContest kStarterContests[] = {
    {"CQ-WW-CW", "CQ World Wide DX Contest, телеграф", "CW"},
    {"CQ-WW-SSB", "CQ World Wide DX Contest, телефон", "SSB"},
    {"CQ-WPX-CW", "CQ WPX Contest, телеграф", "CW"},
    {"CQ-WPX-SSB", "CQ WPX Contest, телефон", "SSB"},
    {"RDXC", "Russian DX Contest (Русский DX контест)", "MIXED"},
    {"RDAC", "Russian District Award Contest (соревнования RDA)", "MIXED"},
    {"RAEM", "Мемориал Э.Т. Кренкеля RAEM", "CW"},
    {"IARU-HF", "Чемпионат мира IARU на КВ", "MIXED"},
    {"EU-HF", "Чемпионат Европы на КВ (EU HF Championship)", "MIXED"},
    {"OK-OM-DX", "OK/OM DX Contest", "MIXED"},
    {"ARRL-DX-CW", "ARRL International DX Contest, телеграф", "CW"},
    {"ARRL-DX-SSB", "ARRL International DX Contest, телефон", "SSB"},
};

/// What the contest window shows before anything is chosen, but the mode:
/// the eight categories from CATEGORY-ASSISTED to CATEGORY-OVERLAY, then
/// the soapbox, the alignment and the four group widths.
QStringList starterSettings(const StarterContest &c)
{
    return {QStringLiteral(" "),         QStringLiteral("ALL "), QString::fromLatin1(c.mode),
            QStringLiteral("SINGLE-OP"), QStringLiteral(" "),    QStringLiteral(" "),
            QStringLiteral("SWL"),       QStringLiteral(" "),    QStringLiteral("TNX,  73!"),
            QStringLiteral("R"),         QStringLiteral("4"),    QStringLiteral("7"),
            QStringLiteral("4"),         QStringLiteral("7")};
}

// The caller names the file.
[[noreturn]] void failed(const QString &what, const QSqlError &error)
{
    throw StoreError(explainedSqlError(error, what));
}

void exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        failed(QStringLiteral("таблицы журнала не удалось создать или дополнить"), q.lastError());
}

void addRepeatIndexes(QSqlDatabase &db)
{
    exec(db, "CREATE INDEX IF NOT EXISTS qso_heard ON qso (call1, band, mode, tur)");
    exec(db, "CREATE INDEX IF NOT EXISTS qso_worked ON qso (call2, band, mode, tur)");
    // The points figure at start: counting these entries is several times
    // faster than reading nr2 from every row of a large log.
    exec(db, "CREATE INDEX IF NOT EXISTS qso_worked_numbers ON qso (nr2) WHERE nr2 <> ''");
}

// The statistics window reads its figures from this index alone, in its
// order, instead of sorting every row of the log.
void addStatsIndex(QSqlDatabase &db)
{
    exec(db, "CREATE INDEX IF NOT EXISTS qso_stats ON qso (band, tur, data, time, nr2 <> '')");
}

// Step n takes a store of version n to version n + 1.
void (*const kSteps[kVersion])(QSqlDatabase &) = {addRepeatIndexes, addStatsIndex};

void setVersion(QSqlDatabase &db, int version)
{
    // A pragma takes no bound value; the number is our own.
    exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
}

// Statements of our own, not the driver's transaction calls: its failed
// commit loses the engine's code, the one thing that says why (a full disk).
void inTransaction(QSqlDatabase &db, const std::function<void()> &work)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        failed(QStringLiteral("таблицы журнала не удалось изменить"), q.lastError());
    try {
        work();
    } catch (...) {
        q.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = q.lastError();
        q.exec(QStringLiteral("ROLLBACK"));
        failed(QStringLiteral("изменение таблиц журнала не удалось записать"), error);
    }
}

QString createTable(const QString &table, const QStringList &fields, bool withId)
{
    QStringList columns;
    if (withId)
        columns << QStringLiteral("id INTEGER PRIMARY KEY");
    for (const QString &f : fields)
        columns << quoted(f) + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), columns.join(", "));
}

} // namespace

const std::vector<QsoColumn> &qsoColumns()
{
    static const std::vector<QsoColumn> columns = {
        {"band", &QsoRecord::band, true}, {"mode", &QsoRecord::mode, true},   {"data", &QsoRecord::data, true},
        {"time", &QsoRecord::time, true}, {"call1", &QsoRecord::call1, true}, {"rst1", &QsoRecord::rst1, true},
        {"nr1", &QsoRecord::nr1, true},   {"call2", &QsoRecord::call2, true}, {"rst2", &QsoRecord::rst2, true},
        {"nr2", &QsoRecord::nr2, true},   {"tur", &QsoRecord::tur, false},
    };
    return columns;
}

const QStringList &qsoFields()
{
    static const QStringList f = [] {
        QStringList names;
        for (const QsoColumn &c : qsoColumns())
            names << c.name;
        return names;
    }();
    return f;
}

const QStringList &logFields()
{
    static const QStringList f =
        QStringList{"CALLSIGN", "CONTEST"} + ContestFields::categories() + QStringList{"CLAIMED-SCORE", "LOCATION"} +
        ContestFields::offTimes() + QStringList{"SOAPBOX"} + kTours + QStringList{"ALIGN"} +
        ContestFields::numberWidths() +
        QStringList{"NAMEE", "NAMEEE", "ADDRESS1", "ADDRESS2", "ADDRESS3", "ADDRESS1E", "ADDRESS2E",
                    "CLUB",  "EMAIL",  "GODR",     "RAZR",     "KAT",      "TRENER",    "OPERATORS"};
    return f;
}

const QStringList &contestFields()
{
    static const QStringList f = QStringList{"contesten", "contestru"} + ContestFields::categories() +
                                 QStringList{"CLAIMED-SCORE", "LOCATION", "SOAPBOX", "ALIGN"} +
                                 ContestFields::numberWidths() + ContestFields::contestOffTimes() + kTours;
    return f;
}

const QStringList &tourFields()
{
    return kTours;
}

const QStringList &operatorFields()
{
    static const QStringList f = {"CALL",     "FAM",  "IMYA",  "OTCH",  "ADDRESS1",  "ADDRESS2",
                                  "ADDRESS3", "GODR", "RAZR",  "KAT",   "TRENER",    "CLUB",
                                  "EMAIL",    "FAME", "IMYAE", "OTCHE", "ADDRESS1E", "ADDRESS2E"};
    return f;
}

QStringList tableNames()
{
    return {"qso", "log", "contest", "operator"};
}

const QStringList &fieldsOf(const QString &table)
{
    if (table == QLatin1String("qso"))
        return qsoFields();
    if (table == QLatin1String("log"))
        return logFields();
    if (table == QLatin1String("contest"))
        return contestFields();
    return operatorFields();
}

QString quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace('"', QLatin1String("\"\""));
    return '"' + escaped + '"';
}

void create(QSqlDatabase &db)
{
    inTransaction(db, [&] {
        exec(db, createTable("qso", qsoFields(), true));
        exec(db, createTable("log", logFields(), false));
        exec(db, createTable("contest", contestFields(), false));
        exec(db, createTable("operator", operatorFields(), false));
        addRepeatIndexes(db);
        addStatsIndex(db);
        const QStringList settings = ContestFields::categories() +
                                     QStringList{QStringLiteral("SOAPBOX"), QStringLiteral("ALIGN")} +
                                     ContestFields::numberWidths();
        for (const StarterContest &c : kStarterContests) {
            QSqlQuery q(db);
            QStringList names{quoted("contesten"), quoted("contestru")};
            for (const QString &f : settings + kTours)
                names << quoted(f);
            q.prepare(QStringLiteral("INSERT INTO contest (%1) VALUES (?%2)")
                          .arg(names.join(", "), QString(",?").repeated(names.size() - 1)));
            q.addBindValue(QString::fromUtf8(c.shortName));
            q.addBindValue(QString::fromUtf8(c.russianName));
            for (const QString &value : starterSettings(c))
                q.addBindValue(value);
            for (int i = 0; i < kTours.size(); ++i)
                q.addBindValue(QStringLiteral("00:00:00"));
            if (!q.exec())
                failed(QStringLiteral("список соревнований не удалось записать"), q.lastError());
        }
        setVersion(db, kVersion);
    });
}

int version(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

void upgrade(QSqlDatabase &db, int from)
{
    inTransaction(db, [&] {
        for (int step = from; step < kVersion; ++step)
            kSteps[step](db);
        setVersion(db, kVersion);
    });
}

QString whatIsMissing(QSqlDatabase &db)
{
    for (const QString &table : tableNames()) {
        QSqlQuery q(db);
        // With the hidden columns: a generated one is there, though unusable.
        if (!q.exec(QStringLiteral("PRAGMA table_xinfo(%1)").arg(quoted(table))))
            return q.lastError().text();
        QStringList present;
        while (q.next())
            present << q.value(1).toString().toUpper();
        if (present.isEmpty())
            return QStringLiteral("нет таблицы %1").arg(table);
        // Every statement names its columns: their order is free.
        if (table == QLatin1String("qso") && !present.contains(QLatin1String("ID")))
            return QStringLiteral("в таблице qso нет поля id");
        for (const QString &field : fieldsOf(table))
            if (!present.contains(field.toUpper()))
                return QStringLiteral("в таблице %1 нет поля %2").arg(table, field);
    }
    return {};
}

namespace {

// SQLite's rules for the affinity of a declared type, in their order.
bool keepsTextAsText(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return false;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return true;
    if (t.contains(QLatin1String("BLOB")) || t.trimmed().isEmpty())
        return true;
    return false; // REAL, FLOA, DOUB and everything else: REAL or NUMERIC
}

// A trigger runs unseen: a row the window shows as recorded may not be the
// row the file holds.
QString triggersOnOurTables(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name, tbl_name FROM sqlite_master WHERE type = 'trigger' ORDER BY name")))
        return q.lastError().text();
    QStringList found;
    while (q.next())
        if (tableNames().contains(q.value(1).toString(), Qt::CaseInsensitive))
            found << QStringLiteral("%1 (таблица %2)").arg(q.value(0).toString(), q.value(1).toString());
    if (found.isEmpty())
        return {};
    return QStringLiteral("в файле есть триггеры, которые незаметно меняли бы записи журнала: %1; удалите их")
        .arg(found.join(QStringLiteral(", ")));
}

QAtomicInt probeCounter;

// Whether a declaration makes id the row's own number is SQLite's decision
// (INTEGER PRIMARY KEY DESC does not): the table's own declaration is made
// in memory, given one row as the program writes it, and asked.
bool idIsTheRowNumber(QSqlDatabase &db)
{
    QSqlQuery declared(db);
    if (!declared.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND lower(name) = 'qso'")) ||
        !declared.next())
        return false;
    const QString sql = declared.value(0).toString();
    declared.finish();
    const QString name = QStringLiteral("vireok-schema-probe-%1").arg(probeCounter.fetchAndAddRelaxed(1));
    bool alias = false;
    {
        QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        memory.setDatabaseName(QStringLiteral(":memory:"));
        if (memory.open()) {
            QSqlQuery q(memory);
            QStringList names;
            for (const QString &f : qsoFields())
                names << quoted(f);
            alias = q.exec(sql) &&
                    q.exec(QStringLiteral("INSERT INTO qso (%1) VALUES (%2)")
                               .arg(names.join(", "), QStringList(names.size(), QStringLiteral("''")).join(","))) &&
                    q.exec(QStringLiteral("SELECT id IS rowid AND id IS NOT NULL FROM qso")) && q.next() &&
                    q.value(0).toInt() == 1;
            q.finish();
            memory.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return alias;
}

// A table made WITHOUT ROWID has no row numbers at all, whatever id says.
bool withoutRowNumbers(QSqlDatabase &db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT wr FROM pragma_table_list WHERE lower(name) = 'qso'")) && q.next() &&
           q.value(0).toInt() == 1;
}

} // namespace

QString whatIsUnusable(QSqlDatabase &db)
{
    for (const QString &table : tableNames()) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA table_xinfo(%1)").arg(quoted(table))))
            return q.lastError().text();
        int keys = 0;
        QString idType;
        bool idIsKey = false;
        QString wrong;
        while (q.next()) {
            const QString name = q.value(1).toString();
            const QString type = q.value(2).toString();
            const int key = q.value(5).toInt();
            const int hidden = q.value(6).toInt(); // 2 or 3: computed from other fields
            keys += key > 0;
            if (wrong.isEmpty() && hidden >= 2 &&
                (fieldsOf(table).contains(name, Qt::CaseInsensitive) ||
                 (table == QLatin1String("qso") && name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0))) {
                wrong = QStringLiteral("в таблице %1 поле %2 вычисляется из других полей (GENERATED): то, что "
                                       "программа в него записывает, не сохранилось бы")
                            .arg(table, name);
            } else if (table == QLatin1String("qso") && name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0) {
                idType = type;
                idIsKey = key > 0;
            } else if (wrong.isEmpty() && !keepsTextAsText(type) &&
                       fieldsOf(table).contains(name, Qt::CaseInsensitive)) {
                wrong = QStringLiteral("в таблице %1 поле %2 имеет тип %3: текст вроде \"007\" хранился бы как "
                                       "число 7; нужен тип TEXT")
                            .arg(table, name, type);
            }
        }
        q.finish();
        if (!wrong.isEmpty())
            return wrong;
        if (table == QLatin1String("qso") && !idIsTheRowNumber(db)) {
            const bool declaredRight =
                idType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0 && idIsKey && keys == 1;
            const QString declared =
                withoutRowNumbers(db) ? QStringLiteral("стоит в таблице без номеров записей (WITHOUT ROWID)")
                : declaredRight ? QStringLiteral("объявлено как INTEGER PRIMARY KEY, но SQLite не делает его номером "
                                                 "записи (так бывает при PRIMARY KEY DESC)")
                                : QStringLiteral("имеет тип \"%1%2\", а нужен INTEGER PRIMARY KEY")
                                      .arg(idType, idIsKey && keys == 1 ? QStringLiteral(" PRIMARY KEY") : QString());
            return QStringLiteral("в таблице qso поле id %1: новые записи остались бы без номера и не удалялись бы "
                                  "из файла")
                .arg(declared);
        }
    }
    return triggersOnOurTables(db);
}

} // namespace Schema
