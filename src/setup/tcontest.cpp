#include "tcontest.h"

#include "tcontestup.h"

#include "export/padding.h"
#include "fonts/fonts.h"
#include "form/screenreadername.h"
#include "seams/prompts.h"
#include "store/contestfields.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/storeerror.h"
#include "store/storeguard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QVector<QStringList> kChoices = {
    {" ", "ASSISTED", "NON-ASSISTED"},
    {"ALL ",  "160M ", "80M ",  "40M ",  "20M ", "15M ", "10M ", "6M ",  "2M ",   "222 ",  "432 ",  "902 ",
     "1.2G ", "2.3G ", "3.4G ", "5.7G ", "10G ", "24G ", "47G ", "75G ", "119G ", "142G ", "241G ", "Light "},
    {"SSB", "CW", "RTTY", "MIXED"},
    {"SINGLE-OP", "MULTI-OP", "CHECKLOG"},
    {" ", "FIXED", "MOBILE", "PORTABLE", "ROVER", "EXPEDITION", "HQ", "SCHOOL"},
    {" ", "6-HOURS", "12-HOURS", "24-HOURS"},
    {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"},
    {" ", "YL", "JR", "JR-13", "JR15", "JR18", "JR18", "VETERAN", "SPECIAL", "POLAR", "ROOKIE", "TB-WIRES",
     "NOVICE-TECH", "OVER-50", "OVER-100"},
};
const int kInitialChoice[8] = {0, 0, 0, 0, 0, 0, 4, 0};

// "56/70", "59/73", "66/80": the width of the number groups.
const char *const kPositionCaptions[3] = {"56/70", "59/73", "66/80"};
const char *const kNumberWidths[3] = {"7", "10", "17"};

QLabel *label(const QString &text, QWidget *parent, int left, int top, int width)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(left, top, width, 21);
    return l;
}

QLineEdit *field(QWidget *parent, int left, int top, int width)
{
    auto *e = new QLineEdit(parent);
    e->setGeometry(left, top, width, 21);
    return e;
}

// Two fields share one caption; a screen reader tells them apart by these.
void nameBeginAndEnd(const QString &caption, QLineEdit *begin, QLineEdit *end)
{
    nameForScreenReaders(begin, caption + QStringLiteral(" начало"));
    nameForScreenReaders(end, caption + QStringLiteral(" окончание"));
}

} // namespace

TContest::TContest(Store &store, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Contest"));
    setWindowTitle(QStringLiteral("Настройка соревнования"));
    setFixedSize(650, 414);
    build();
    // A store that failed to open has told the user so once, at start; the
    // list stays empty rather than say it a second time.
    if (!m_store.hasFailed())
        guarded(m_prompts, this, [&] { fillList(); });
    for (int i = 0; i < 8; ++i)
        m_categories[i]->setCurrentIndex(kInitialChoice[i]);
}

void TContest::build()
{
    m_count = label(QStringLiteral("В списке:"), this, 12, 4, 300);
    m_count->setObjectName(QStringLiteral("count"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("contests"));
    m_list->setGeometry(12, 24, 520, 23);
    m_count->setBuddy(m_list);
    m_list->setFont(Fonts::courier(12));
    m_list->setMaxVisibleItems(15);
    // Without this the style drops every entry of a non-editable list at once.
    m_list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    connect(m_list, &QComboBox::activated, this,
            [this](int index) { guarded(m_prompts, this, [&] { choose(index + 1); }); });

    auto small = [this](const QString &caption, const QString &hint, int left, auto handler) {
        auto *b = new QPushButton(caption, this);
        b->setGeometry(left, 24, 26, 23);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
    };
    small(QStringLiteral("?"), QStringLiteral("Обновить список"), 544,
          [this] { guarded(m_prompts, this, [&] { fillList(); }); });
    small(QStringLiteral("+"), QStringLiteral("Добавить в список"), 576, [this] {
        if (m_add)
            m_add->exec();
    });
    small(QStringLiteral("X"), QStringLiteral("Удалить из списка"), 608, [this] { deleteChosen(); });

    // Left column: assisted, band, mode; right: operator, station, time,
    // transmitter, overlay.
    const int leftRows[3] = {60, 88, 116};
    const int rightRows[5] = {60, 88, 116, 144, 172};
    for (int i = 0; i < 8; ++i) {
        const bool left = i < 3;
        const int top = left ? leftRows[i] : rightRows[i - 3];
        QLabel *caption = label(ContestFields::categories()[i] + ':', this, left ? 12 : 330, top, 150);
        auto *c = new QComboBox(this);
        caption->setBuddy(c);
        c->setGeometry(left ? 160 : 484, top, left ? 152 : 154, 21);
        c->addItems(kChoices[i]);
        c->setObjectName(ContestFields::categories()[i]);
        m_categories << c;
    }
    QLabel *location = label(QStringLiteral("LOCATION:"), this, 12, 144, 140);
    m_location = field(this, 160, 144, 152);
    location->setBuddy(m_location);
    m_location->setObjectName(QStringLiteral("LOCATION"));
    for (int row = 0; row < 3; ++row) {
        label(QStringLiteral("OFFTIME%1:").arg(row + 1), this, 12, 172 + 28 * row, 70);
        m_offTimes << field(this, 84, 172 + 28 * row, 112) << field(this, 200, 172 + 28 * row, 112);
        m_offTimes[2 * row]->setObjectName(QStringLiteral("OFFTIME%1B").arg(row + 1));
        m_offTimes[2 * row + 1]->setObjectName(QStringLiteral("OFFTIME%1E").arg(row + 1));
        nameBeginAndEnd(QStringLiteral("OFFTIME%1").arg(row + 1), m_offTimes[2 * row], m_offTimes[2 * row + 1]);
    }
    const QLabel *format = label(QStringLiteral("Формат записи:"), this, 12, 254, 84);
    // The caption fills its box: the hint keeps a blank's width from it, or
    // the two read as one word.
    const QFontMetrics metrics = format->fontMetrics();
    const int hintLeft = qMax(96, 12 + metrics.horizontalAdvance(format->text()) + metrics.horizontalAdvance(' '));
    label(QStringLiteral("yyyy-mm-dd hhmm"), this, hintLeft, 254, 100);
    label(QStringLiteral("yyyy-mm-dd hhmm"), this, 208, 254, 100);

    QLabel *claimed = label(QStringLiteral("CLAIMED-SCORE:"), this, 330, 200, 150);
    m_claimed = field(this, 484, 200, 154);
    m_claimed->setObjectName(QStringLiteral("CLAIMED-SCORE"));
    claimed->setBuddy(m_claimed);
    m_align = new QCheckBox(QStringLiteral("Левое выравнивание знаков в группе"), this);
    m_align->setGeometry(330, 226, 300, 21);
    m_align->setObjectName(QStringLiteral("ALIGN"));
    label(QStringLiteral("Позиции(call/nr):"), this, 330, 252, 100);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(QString::fromLatin1(kPositionCaptions[i]), this);
        r->setGeometry(434 + 68 * i, 252, 64, 21);
        r->setObjectName(QStringLiteral("position%1").arg(i));
        group->addButton(r);
        m_positions << r;
    }
    m_positions[0]->setChecked(true);

    QLabel *soapbox = label(QStringLiteral("SOAPBOX:"), this, 12, 282, 70);
    m_soapbox = field(this, 84, 282, 554);
    soapbox->setBuddy(m_soapbox);
    m_soapbox->setObjectName(QStringLiteral("SOAPBOX"));
    m_soapbox->setText(QStringLiteral("TNX,  73!"));

    auto *tours = new QGroupBox(QStringLiteral("Время туров соревнований (начало - окончание):"), this);
    tours->setGeometry(6, 308, 638, 56);
    for (int n = 0; n < 4; ++n) {
        const int x = 8 + 157 * n;
        label(QStringLiteral("Тур-%1:").arg(n + 1), tours, x, 24, 36);
        for (int end = 0; end < 2; ++end) {
            QLineEdit *t = field(tours, x + 36 + 58 * end, 24, 56);
            t->setInputMask(QStringLiteral("99:99:99;_"));
            t->setText(QStringLiteral("00:00:00"));
            t->setObjectName(Schema::tourFields()[m_tours.size()]);
            m_tours << t;
        }
        nameBeginAndEnd(QStringLiteral("Тур-%1").arg(n + 1), m_tours[2 * n], m_tours[2 * n + 1]);
    }

    auto *save = new QPushButton(QStringLiteral("СОХРАНИТЬ"), this);
    save->setGeometry(205, 376, 110, 30);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &TContest::save);
    auto *cancel = new QPushButton(QStringLiteral("ОТМЕНА"), this);
    cancel->setGeometry(335, 376, 110, 30);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TContest::fillList()
{
    m_list->clear();
    const std::vector<Record> rows = m_store.contests();
    for (const Record &r : rows)
        m_list->addItem(padRight(r.value(QStringLiteral("contesten")), 20) + r.value(QStringLiteral("contestru")));
    m_count->setText(QStringLiteral("В списке %1 наименований:").arg(rows.size()));
    if (!rows.empty())
        m_list->setCurrentIndex(0);
}

void TContest::choose(int n)
{
    const std::vector<Record> rows = m_store.contests();
    if (n < 1 || size_t(n) > rows.size())
        throw StoreError(m_store.path() + QStringLiteral(": в таблице contest нет записи номер %1").arg(n));
    const Record &r = rows[size_t(n - 1)];
    for (int i = 0; i < 8; ++i)
        m_categories[i]->setCurrentIndex(m_categories[i]->findText(r.value(ContestFields::categories()[i])));
    m_claimed->setText(r.value(QStringLiteral("CLAIMED-SCORE")));
    m_location->setText(r.value(QStringLiteral("LOCATION")));
    m_soapbox->setText(r.value(QStringLiteral("SOAPBOX")));
    for (int i = 0; i < 6; ++i)
        m_offTimes[i]->setText(r.value(ContestFields::contestOffTimes()[i]));
    for (int i = 0; i < 8; ++i)
        m_tours[i]->setText(r.value(Schema::tourFields()[i]));
    m_align->setChecked(r.value(QStringLiteral("ALIGN")) == QLatin1String("L"));
    const QString width = r.value(ContestFields::numberWidths()[1]).trimmed();
    for (int i = 0; i < 3; ++i)
        if (width == QLatin1String(kNumberWidths[i]))
            m_positions[i]->setChecked(true);
}

QString TContest::tourText(int i) const
{
    // The masked text as shown: colons kept, unfilled places as "_".
    return m_tours[i]->displayText();
}

void TContest::save()
{
    // Without a store the list is empty for another reason than the user's.
    if (!guarded(m_prompts, this, [&] { m_store.open(); }))
        return;
    const int n = m_list->currentIndex() + 1;
    if (n < 1) {
        m_prompts.storeError(this,
                             QStringLiteral("Список соревнований пуст: сохранять некуда.\n"
                                            "Добавьте соревнование кнопкой \"+\" и обновите список кнопкой \"?\"."));
        return;
    }
    int chosen = 0;
    for (int i = 0; i < 3; ++i)
        if (m_positions[i]->isChecked())
            chosen = i;
    const QString numberWidth = QString::fromLatin1(kNumberWidths[chosen]);

    FieldValues common;
    for (int i = 0; i < 8; ++i)
        common.append({ContestFields::categories()[i], m_categories[i]->currentText()});
    common.append({QStringLiteral("CLAIMED-SCORE"), m_claimed->text()});
    common.append({QStringLiteral("LOCATION"), m_location->text()});
    FieldValues contestRow = common;
    for (int i = 0; i < 6; ++i)
        contestRow.append({ContestFields::contestOffTimes()[i], m_offTimes[i]->text()});
    FieldValues tail{{QStringLiteral("SOAPBOX"), m_soapbox->text()}};
    for (int i = 0; i < 8; ++i)
        tail.append({Schema::tourFields()[i], tourText(i)});
    tail.append({QStringLiteral("ALIGN"), m_align->isChecked() ? QStringLiteral("L") : QStringLiteral("R")});
    // Reports are 4 wide; numbers as chosen.
    for (int i = 0; i < 4; ++i)
        tail.append({ContestFields::numberWidths()[i], i % 2 == 0 ? QStringLiteral("4") : numberWidth});
    contestRow += tail;

    FieldValues logRow{{QStringLiteral("CONTEST"), m_list->currentText().left(20).trimmed()}};
    logRow += common;
    for (int p = 0; p < 3; ++p)
        logRow.append({ContestFields::offTimes()[p], m_offTimes[2 * p]->text() + ' ' + m_offTimes[2 * p + 1]->text()});
    logRow += tail;

    if (!guarded(m_prompts, this, [&] {
            m_store.changeContest(n, contestRow);
            m_store.writeLog(logRow);
        }))
        return;
    accept();
}

void TContest::deleteChosen()
{
    const QString name = m_list->currentText().left(20).trimmed();
    guarded(m_prompts, this, [&] {
        m_store.deleteContest(name);
        fillList();
    });
}
