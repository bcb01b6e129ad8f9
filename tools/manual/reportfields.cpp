#include "reportfields.h"

#include "app/program.h"
#include "setup/stationpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

struct Field {
    QString caption;
    QStringList marks;
};

/// The label on the field's left in its row, and the one above it that
/// starts where it starts (a column's heading), as the user reads them.
QString captionOf(const QWidget *field)
{
    const QRect g = field->geometry();
    const QLabel *left = nullptr;
    const QLabel *above = nullptr;
    for (const QLabel *l : field->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        const QRect lg = l->geometry();
        if (qAbs(lg.center().y() - g.center().y()) <= 6 && lg.left() < g.left() &&
            (!left || lg.left() > left->geometry().left()))
            left = l;
        if (qAbs(lg.left() - g.left()) <= 2 && lg.bottom() < g.top() && (!above || lg.top() > above->geometry().top()))
            above = l;
    }
    const auto quoted = [](const QLabel *l) { return QStringLiteral("«%1»").arg(l->text()); };
    if (left && above)
        return quoted(left) + QStringLiteral(", столбец ") + quoted(above);
    return left ? quoted(left) : above ? quoted(above) : QString();
}

void press(QWidget *window, const QString &caption)
{
    for (QPushButton *b : window->findChildren<QPushButton *>())
        if (b->text() == caption) {
            b->click();
            return;
        }
    qFatal("no button %s", qPrintable(caption));
}

/// Puts a mark of its own into every field of the window that takes text
/// (the contest list and the tour times excepted: the list is filled through
/// the window that adds a contest, and the times go into no report).
QVector<Field> markFields(QWidget *window, int &next)
{
    QVector<Field> fields;
    const auto add = [&](QWidget *w) {
        const QString mark = QStringLiteral("~%1~").arg(next++, 2, 10, QLatin1Char('0'));
        const QString caption = captionOf(w);
        // Two fields of one row with one caption, as the two halves of a break.
        if (!fields.isEmpty() && fields.last().caption == caption)
            fields.last().marks << mark;
        else
            fields.append({caption, {mark}});
        return mark;
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window->window())
            continue; // a dialog of its own, as the window that adds a contest
        if (auto *e = qobject_cast<QLineEdit *>(w);
            e && e->inputMask().isEmpty() && !e->parent()->inherits("QComboBox")) {
            e->setText(add(e));
            // A field that refused its mark would read as going nowhere.
            if (e->text() != fields.last().marks.last())
                qFatal("the field %s refused its mark", qPrintable(fields.last().caption));
        }
        if (auto *c = qobject_cast<QComboBox *>(w); c && c->objectName() != QLatin1String("contests")) {
            c->addItem(add(c));
            c->setCurrentIndex(c->count() - 1);
        }
    }
    return fields;
}

/// For every mark in the report, the lines that carry it: the Cabrillo tag
/// ("NAME:") or the ADIF field ("<OPERATOR>").
QMap<QString, QStringList> linesOfMarks(const QString &report, bool adif)
{
    static const QRegularExpression mark(QStringLiteral("~\\d\\d~"));
    static const QRegularExpression adifField(QStringLiteral("<([A-Za-z_]+):\\d+>([^<]*)"));
    QMap<QString, QStringList> lines;
    const auto note = [&](const QString &value, const QString &line) {
        for (auto it = mark.globalMatch(value); it.hasNext();) {
            QStringList &l = lines[it.next().captured()];
            if (!l.contains(line))
                l << line;
        }
    };
    if (adif) {
        for (auto it = adifField.globalMatch(report); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            note(m.captured(2), QStringLiteral("<%1>").arg(m.captured(1)));
        }
    } else {
        for (const QString &line : report.split(QLatin1Char('\n')))
            note(line, line.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':'));
    }
    return lines;
}

QString table(const QVector<Field> &fields, const QMap<QString, QString> &reports)
{
    const char *const kinds[] = {"cabrillo", "ermak", "adif"};
    QMap<QString, QMap<QString, QStringList>> found;
    for (const char *kind : kinds)
        found[kind] = linesOfMarks(reports.value(kind), QLatin1String(kind) == QLatin1String("adif"));
    QString md = QStringLiteral("| Поле | Cabrillo | ЕРМАК | ADIF |\n|---|---|---|---|\n");
    for (const Field &f : fields) {
        md += QStringLiteral("| ") + f.caption;
        for (const char *kind : kinds) {
            QStringList lines;
            for (const QString &mark : f.marks)
                for (const QString &line : found[kind].value(mark))
                    if (!lines.contains(QLatin1Char('`') + line + QLatin1Char('`')))
                        lines << QLatin1Char('`') + line + QLatin1Char('`');
            md += QStringLiteral(" | ") + (lines.isEmpty() ? QStringLiteral("—") : lines.join(QStringLiteral(", ")));
        }
        md += QStringLiteral(" |\n");
    }
    return md;
}

} // namespace

QMap<QString, QString> reportFieldTables(Program &windows, const ReportWriter &writeReports)
{
    int next = 1;
    QVector<Field> contest = markFields(&windows.addContest, next);
    const QString listMark = contest.first().marks.first();
    press(&windows.addContest, QStringLiteral("ДОБАВИТЬ"));

    press(&windows.contest, QStringLiteral("?"));
    auto *list = windows.contest.findChild<QComboBox *>(QStringLiteral("contests"));
    list->setCurrentIndex(list->findText(listMark, Qt::MatchStartsWith));
    contest += markFields(&windows.contest, next);
    press(&windows.contest, QStringLiteral("СОХРАНИТЬ"));

    StationPanel &panel = *windows.stationPanel;
    panel.open();
    const QVector<Field> station = markFields(&panel, next);
    press(&panel, QStringLiteral("СОХРАНИТЬ"));

    const QMap<QString, QString> reports = writeReports();
    return {{QStringLiteral("station"), table(station, reports)}, {QStringLiteral("contest"), table(contest, reports)}};
}
