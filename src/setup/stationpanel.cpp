#include "stationpanel.h"

#include "stationnames.h"

#include "form/loggrid.h"
#include "form/screenreadername.h"
#include "seams/prompts.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/storeguard.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Place {
    const char *field;
    const char *label; ///< empty for the Latin column, which has none
    int column;        ///< 0 left, 1 middle, 2 right
    int row;
};

// In the order of the station record's fields.
const Place kPlaces[18] = {
    {"CALL", "Позывной:", 0, 0},
    {"FAM", "Фамилия:", 0, 1},
    {"IMYA", "Имя:", 0, 2},
    {"OTCH", "Отчество:", 0, 3},
    {"ADDRESS1", "Улица, дом:", 0, 4},
    {"ADDRESS2", "Город, обл.:", 0, 5},
    {"ADDRESS3", "Почт.индекс:", 0, 6},
    {"GODR", "Год рождения:", 2, 0},
    {"RAZR", "Спорт.разряд:", 2, 1},
    {"KAT", "Категория станции:", 2, 2},
    {"TRENER", "Тренер:", 2, 3},
    {"CLUB", "Клуб:", 2, 4},
    {"EMAIL", "E-mail:", 2, 5},
    {"FAME", "", 1, 1},
    {"IMYAE", "", 1, 2},
    {"OTCHE", "", 1, 3},
    {"ADDRESS1E", "", 1, 4},
    {"ADDRESS2E", "", 1, 5},
};

} // namespace

StationPanel::StationPanel(const MainForm &form, Store &store, Prompts &prompts, QWidget *parent)
    : QGroupBox(QStringLiteral("Сведения о станции (операторе):"), parent), m_form(form), m_store(store),
      m_prompts(prompts)
{
    setGeometry(4, 8, 593, 287);
    auto *latinCaption = new QLabel(QStringLiteral("(Для Cabrillo:)"), this);
    latinCaption->setGeometry(206, 26, 150, 16);
    const int labelLeft[3] = {8, 0, 372};
    const int fieldLeft[3] = {88, 206, 484};
    const int fieldWidth[3] = {112, 150, 100};
    for (const Place &p : kPlaces) {
        const int top = 24 + 30 * p.row;
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(p.field));
        e->setGeometry(fieldLeft[p.column], top, fieldWidth[p.column], 21);
        if (*p.label) {
            auto *l = new QLabel(QString::fromUtf8(p.label), this);
            l->setGeometry(labelLeft[p.column], top + 2, p.column == 2 ? 110 : 80, 17);
            l->setBuddy(e);
        } else {
            // The Latin column shares its row's caption; a screen reader needs its own.
            const Place &cyrillic = kPlaces[p.row];
            nameForScreenReaders(e, QString::fromUtf8(cyrillic.label).chopped(1) + QStringLiteral(" (для Cabrillo)"));
        }
        m_fields << e;
    }
    m_initials = new QCheckBox(QStringLiteral("Фамилия, инициалы"), this);
    m_initials->setObjectName(QStringLiteral("initials"));
    m_initials->setGeometry(206, 244, 160, 21);
    auto *save = new QPushButton(QStringLiteral("СОХРАНИТЬ"), this);
    save->setGeometry(470, 240, 110, 30);
    connect(save, &QPushButton::clicked, this, &StationPanel::save);
    hide();
}

QLineEdit *StationPanel::field(const QString &operatorField) const
{
    for (QLineEdit *e : m_fields)
        if (e->objectName() == operatorField)
            return e;
    return nullptr;
}

void StationPanel::open()
{
    show();
    raise();
    if (!guarded(m_prompts, m_form.window, [&] {
            const Record r = m_store.readOperator();
            for (QLineEdit *e : m_fields)
                e->setText(r.value(e->objectName()));
        }))
        return;
    emit openChanged(true);
    field(QStringLiteral("CALL"))->setFocus();
}

void StationPanel::save()
{
    auto text = [this](const char *name) { return field(QString::fromLatin1(name))->text(); };
    FieldValues station;
    for (QLineEdit *e : m_fields)
        station.append({e->objectName(), e->text()});
    const bool initials = m_initials->isChecked();
    const NameParts cyrillic{text("FAM"), text("IMYA"), text("OTCH")};
    const NameParts latin{text("FAME"), text("IMYAE"), text("OTCHE")};
    const FieldValues logRow{
        {QStringLiteral("CALLSIGN"), text("CALL")},
        {QStringLiteral("NAMEE"), surnameFirst(cyrillic, initials)},
        {QStringLiteral("ADDRESS1"), text("ADDRESS1")},
        {QStringLiteral("ADDRESS2"), text("ADDRESS2")},
        {QStringLiteral("ADDRESS3"), text("ADDRESS3")},
        {QStringLiteral("CLUB"), text("CLUB")},
        {QStringLiteral("EMAIL"), text("EMAIL")},
        {QStringLiteral("NAMEEE"), surnameLast(latin, initials)},
        {QStringLiteral("ADDRESS1E"), text("ADDRESS1E")},
        {QStringLiteral("ADDRESS2E"), text("ADDRESS2E")},
        {QStringLiteral("GODR"), text("GODR")},
        {QStringLiteral("RAZR"), text("RAZR")},
        {QStringLiteral("KAT"), text("KAT")},
        {QStringLiteral("TRENER"), text("TRENER")},
    };
    if (!guarded(m_prompts, m_form.window, [&] {
            m_store.writeOperator(station);
            m_store.writeLog(logRow);
        }))
        return;
    hide();
    emit openChanged(false);
}
