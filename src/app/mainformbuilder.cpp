#include "mainformbuilder.h"

#include "appicon.h"

#include "entry/comboboxaccessible.h"
#include "entry/entryedit.h"
#include "entry/entryfilter.h"
#include "entry/focusbeforeselection.h"
#include "entry/lineeditaccessible.h"
#include "entry/spokenphrases.h"
#include "fonts/fonts.h"
#include "form/accessiblefactory.h"
#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "form/screenreadername.h"
#include "form/statuspanels.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

namespace {

constexpr int kClientWidth = 604;
constexpr int kClientHeight = 391;

const QColor kCream(255, 251, 240);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

/// Two arrows, up and down: the stations change places. The style's
/// stock pictures offer none, and its reload arrow is the clock's.
QIcon swapIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QApplication::palette().color(QPalette::ButtonText));
        p.drawPolygon(QPolygonF({{1, 6}, {5, 1}, {9, 6}, {6.2, 6}, {6.2, 15}, {3.8, 15}, {3.8, 6}}));
        p.drawPolygon(QPolygonF({{7, 10}, {11, 15}, {15, 10}, {12.2, 10}, {12.2, 1}, {9.8, 1}, {9.8, 10}}));
        icon.addPixmap(pixmap);
    }
    return icon;
}

struct FieldPlace {
    int left, top, width;
};

// Heard call, report, number; worked call, report, number.
const FieldPlace kHorizontal[6] = {{192, 304, 147}, {340, 304, 51}, {392, 304, 135},
                                   {192, 336, 147}, {340, 336, 51}, {392, 336, 135}};
const FieldPlace kVertical[6] = {{192, 304, 168}, {192, 336, 48}, {240, 336, 120},
                                 {360, 304, 168}, {360, 336, 48}, {408, 336, 120}};

void buildEntryPanel(MainForm &form, QWidget *client)
{
    auto *panel = new QFrame(client);
    form.entryPanel = panel;
    panel->setGeometry(4, 294, 595, 75);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // It lies over the grid's last pixels and must hide them.
    panel->setAutoFillBackground(true);

    auto check = [panel](const QString &caption, bool ticked, int left, int top, int width, int height) {
        auto *c = new QCheckBox(caption, panel);
        c->setGeometry(left, top, width, height);
        c->setChecked(ticked);
        // Reached by Tab; a click with the mouse leaves the keyboard in the
        // entry (see EntryKeys), where the next letters belong.
        c->setFocusPolicy(Qt::TabFocus);
        return c;
    };
    form.rst = check(QStringLiteral("RST"), true, 8, 38, 45, 19);
    form.tour = check(QStringLiteral("TOUR"), false, 8, 10, 53, 17);
    form.swl = check(QStringLiteral("SWL"), true, 8, 24, 51, 17);
    form.copy = check(QStringLiteral("COPY"), false, 8, 54, 50, 17);

    auto picture = [panel](const QIcon &icon, const QString &tip, int top) {
        auto *b = new QPushButton(panel);
        b->setGeometry(528, top, 28, 28);
        b->setIcon(icon);
        b->setToolTip(tip);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        return b;
    };
    form.swap = picture(QIcon::fromTheme(QStringLiteral("object-flip-vertical"), swapIcon()),
                        QStringLiteral("F1: Рокировка heard и worked станций"), 10);
    form.clear =
        picture(themedIcon("edit-clear", QStyle::SP_DialogResetButton), QStringLiteral("F2: Очистить все окна"), 42);

    auto label = [panel](const QString &text, const QRect &place, const QColor &colour, const QFont &font,
                         Qt::Alignment align) {
        auto *l = new QLabel(text, panel);
        l->setGeometry(place);
        l->setFont(font);
        l->setAlignment(align | Qt::AlignTop);
        setTextColour(l, colour);
        return l;
    };
    form.tourCaption = label(QStringLiteral("Tour:"), {72, 12, 31, 13}, kGreen, Fonts::sansSerif(11), Qt::AlignRight);
    form.tourTime =
        label(QStringLiteral("00:00:00"), {124, 10, 60, 14}, kGreen, Fonts::sansSerif(13, true), Qt::AlignRight);
    form.utcCaption = label(QStringLiteral("UTC:"), {90, 30, 25, 13}, kBlue, Fonts::sansSerif(11), Qt::AlignLeft);
    form.utcClock =
        label(QStringLiteral("00:00:00"), {124, 28, 60, 16}, kBlue, Fonts::sansSerif(13, true), Qt::AlignRight);
}

// What a screen reader says for the controls that show no caption of their own.
void nameControls(const MainForm &form)
{
    const std::pair<QWidget *, const char *> names[] = {
        {form.heardCall, "Позывной первой станции"},
        {form.heardReport, "Рапорт первой станции"},
        {form.heardNumber, "Номер первой станции"},
        {form.workedCall, "Позывной второй станции"},
        {form.workedReport, "Рапорт второй станции"},
        {form.workedNumber, "Номер второй станции"},
        {form.tourNumber, "Номер тура"},
        {form.swap, "Поменять станции местами"},
        {form.clear, "Очистить все поля"},
        {form.dateField, "Дата связи"},
        {form.timeField, "Время связи"},
        {form.grid, "Журнал связей"},
    };
    for (const auto &[widget, name] : names)
        widget->setAccessibleName(QString::fromUtf8(name));
    nameForScreenReaders(form.band, kBandName);
    nameForScreenReaders(form.mode, kModeName);
}

// The selectors take no tab stop, so that Tab walks only the entry; Alt+B
// and Alt+M reach them without a mouse. A shortcut matches the character a
// key gives, so with the Russian layout the same keys give Alt+И and Alt+Ь:
// those are taken too, found as the entry filter finds the letters of a key.
void reachSelectorsByKeyboard(const MainForm &form)
{
    const std::pair<QChar, QComboBox *> keys[] = {{QLatin1Char('B'), form.band}, {QLatin1Char('M'), form.mode}};
    for (const auto &[latin, selector] : keys) {
        QList<QChar> letters{latin};
        for (char16_t c = u'А'; c <= u'Я'; ++c)
            if (filterEntryChar(QChar(c)) == latin)
                letters << QChar(c);
        for (const QChar letter : letters) {
            auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(letter.unicode())), form.window);
            const auto reach = [selector = selector] { selector->setFocus(Qt::ShortcutFocusReason); };
            QObject::connect(shortcut, &QShortcut::activated, selector, reach);
            // On X11 a key of the Russian layout also stands for its Latin
            // letter: both of our shortcuts match, and both mean the same.
            QObject::connect(shortcut, &QShortcut::activatedAmbiguously, selector, reach);
        }
    }
}

} // namespace

MainForm buildMainForm(QMainWindow *window, QAbstractItemModel *log)
{
    installAccessibleFactory();
    installLineEditAccessibility();
    installComboBoxAccessibility();
    installFocusBeforeSelection();
    MainForm form;
    auto *client = new QWidget(window);
    client->setFixedSize(kClientWidth, kClientHeight);
    window->setCentralWidget(client);
    form.window = window;

    auto *grid = new LogGrid(client);
    grid->setGeometry(4, 0, 595, 297);
    grid->setModel(log);
    const int widths[10] = {45, 25, 80, 45, 75, 40, 65, 75, 40, 75};
    for (int c = 0; c < 10; ++c)
        grid->setColumnWidth(c, widths[c]);
    {
        QPalette p = grid->palette();
        p.setColor(QPalette::Base, kCream);
        p.setColor(QPalette::Mid, QColor(208, 208, 208));
        grid->setPalette(p);
    }
    form.grid = grid;

    buildEntryPanel(form, client);

    auto entry = [client](EntryField role) {
        auto *e = new EntryEdit(role, client);
        e->setFont(Fonts::verdana(19));
        return e;
    };
    form.heardCall = entry(EntryField::HeardCall);
    form.heardReport = entry(EntryField::HeardReport);
    form.heardNumber = entry(EntryField::HeardNumber);
    form.workedCall = entry(EntryField::WorkedCall);
    form.workedReport = entry(EntryField::WorkedReport);
    form.workedNumber = entry(EntryField::WorkedNumber);

    auto pushButton = [client](const QString &caption) {
        auto *b = new QPushButton(caption, client);
        b->setGeometry(564, 304, 30, 60);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setCursor(Qt::PointingHandCursor);
        // Enter on the focused button presses it, as Space does: a QSO is
        // confirmed without leaving the keyboard.
        b->setAutoDefault(true);
        return b;
    };
    form.ok = pushButton(QStringLiteral("OK"));

    auto selector = [client](const QStringList &items, int current, int left, int width) {
        auto *c = new QComboBox(client);
        c->setEditable(true);
        c->addItems(items);
        c->setCurrentIndex(current);
        c->setFont(Fonts::tahoma(13, true));
        c->setGeometry(left, 340, width, 21);
        c->setFocusPolicy(Qt::ClickFocus);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    form.mode = selector({"CW", "PH"}, 0, 130, 60);
    form.band = selector({"1800", "3500", "7000", "14000", "21000", "28000", "144", "432"}, 3, 62, 67);

    auto yellowField = [client](int left, int width) {
        auto *e = new QLineEdit(client);
        e->setGeometry(left, 304, width, 28);
        e->setFont(Fonts::tahoma(19));
        FieldColours::paint(e, FieldColours::yellow);
        e->hide();
        return e;
    };
    form.dateField = yellowField(12, 115);
    form.timeField = yellowField(128, 60);
    form.editOk = pushButton(QStringLiteral("OK"));
    form.editOk->hide();

    form.utcDate = new QLineEdit(client);
    form.utcDate->setGeometry(6, 278, 85, 13);
    form.utcDate->setFocusPolicy(Qt::NoFocus);
    form.utcDate->hide();
    form.utcTime = new QLineEdit(client);
    form.utcTime->setGeometry(92, 278, 53, 15);
    form.utcTime->setFocusPolicy(Qt::NoFocus);
    form.utcTime->hide();

    auto *tourNumber = new QLineEdit(QStringLiteral("0"), client);
    tourNumber->setGeometry(110, 304, 11, 17);
    tourNumber->setFrame(false);
    tourNumber->setFont(Fonts::sansSerif(13, true));
    tourNumber->setTextMargins(0, -1, 0, 0);                // the field's own margin would put its text a pixel lower
    tourNumber->setAlignment(Qt::AlignLeft | Qt::AlignTop); // on the tour line with its caption and time
    {
        QPalette p = tourNumber->palette();
        p.setColor(QPalette::Text, kGreen);
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        tourNumber->setPalette(p);
    }
    form.tourNumber = tourNumber;

    form.manualOk = pushButton(QStringLiteral("ОК"));
    form.manualOk->hide();

    // Five status panels: local date, local time, QSO, points, mode/outcome.
    auto *status = new StatusPanels(client);
    status->setGeometry(0, 372, kClientWidth, 19);
    const int panelWidths[5] = {65, 90, 75, 80, kClientWidth - 310};
    int left = 0;
    QLabel **panels[5] = {&form.localDatePanel, &form.localTimePanel, &form.qsoPanel, &form.pointsPanel,
                          &form.statusPanel};
    for (int i = 0; i < 5; ++i) {
        auto *p = new StatusPanel(status);
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setGeometry(left, 0, panelWidths[i], 19);
        p->setAlignment((i < 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        p->setIndent(2);
        *panels[i] = p;
        left += panelWidths[i];
    }

    // The tab order of the window; the selectors and the UTC texts take no tab.
    QWidget *order[] = {
        form.heardCall, form.heardReport, form.heardNumber, form.workedCall, form.workedReport, form.workedNumber,
        form.ok,        form.mode,        form.band,        form.dateField,  form.timeField,    form.editOk,
        grid,           form.rst,         form.tour,        form.swl,        form.copy,         form.swap,
        form.clear,     form.tourNumber,  form.manualOk};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    nameControls(form);
    reachSelectorsByKeyboard(form);
    return form;
}

void placeEntryFields(const MainForm &form, int layout)
{
    const auto &places = layout == 0 ? kHorizontal : kVertical;
    const QVector<EntryEdit *> fields = form.entryFields();
    for (int i = 0; i < 6; ++i)
        fields[i]->setGeometry(places[i].left, places[i].top, places[i].width, 28);
}
