#include "cabrillo.h"

#include "files/cp1251.h"
#include "store/contestfields.h"

#include <QRegularExpression>

namespace {

HeaderLine line(const char *tag, const QString &value)
{
    return {QString::fromLatin1(tag), trimReport(value)};
}

HeaderLine fixed(const char *text)
{
    return {QString::fromLatin1(text), QString(), true};
}

// A width of zero or less adds nothing, however far below zero.
bool negative(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^-[0-9]+$"));
    return pattern.match(text).hasMatch();
}

std::optional<int> width(const FieldGetter &log, const QString &field)
{
    const QString text = trimReport(log(field));
    if (negative(text))
        return 0;
    bool ok = false;
    const int w = text.toInt(&ok);
    return ok && w >= 0 && w <= kMaxGroupWidth ? std::optional<int>(w) : std::nullopt;
}

/// The header up to CLUB and after it, shared by both reports.
QVector<HeaderLine> opening(const FieldGetter &log)
{
    QVector<HeaderLine> h{fixed("START-OF-LOG: 3.0"), line("CONTEST: ", log("CONTEST")),
                          line("CALLSIGN: ", log("CALLSIGN"))};
    // The header's order is the store's with OPERATOR and ASSISTED swapped.
    QStringList categories = ContestFields::categories();
    categories.swapItemsAt(0, 3);
    for (const QString &category : categories)
        h << line((category.toLatin1() + ": ").constData(), log(category));
    for (const QString &off : ContestFields::offTimes())
        h << line("OFFTIME: ", log(off));
    h << line("CLAIMED-SCORE: ", log("CLAIMED-SCORE")) << line("LOCATION: ", log("LOCATION"))
      << line("CLUB: ", log("CLUB")) << fixed("CREATED-BY: Kalvex Vireok v.1.4") << line("EMAIL: ", log("EMAIL"));
    return h;
}

// The blank that ends every group, then padding up to the width.
void appendGroup(QByteArray &out, const QString &value, int width, bool left)
{
    const qsizetype start = out.size();
    appendCp1251Line(out, value);
    out += ' ';
    const qsizetype pad = width - (out.size() - start);
    if (pad <= 0)
        return;
    if (left)
        out.append(pad, ' ');
    else
        out.insert(start, pad, ' ');
}

} // namespace

std::optional<ReportLayout> reportLayout(const FieldGetter &log)
{
    const QStringList &widths = ContestFields::numberWidths();
    const auto r1 = width(log, widths[0]);
    const auto n1 = width(log, widths[1]);
    const auto r2 = width(log, widths[2]);
    const auto n2 = width(log, widths[3]);
    if (!r1 || !n1 || !r2 || !n2)
        return std::nullopt;
    return ReportLayout{trimReport(log("ALIGN")) == QLatin1String("L"), *r1, *n1, *r2, *n2};
}

std::optional<std::pair<QString, QString>> widthOutOfBounds(const FieldGetter &log)
{
    for (const QString &field : ContestFields::numberWidths()) {
        const QString text = trimReport(log(field));
        // Digits beyond every whole number are out of bounds too; text is not
        // a width at all (the settings were never saved).
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        bool ok = false;
        const qlonglong w = text.toLongLong(&ok);
        if (!negative(text) && (!ok ? digits.match(text).hasMatch() : w > kMaxGroupWidth))
            return std::pair{field, text};
    }
    return std::nullopt;
}

QVector<HeaderLine> cabrilloHeader(const FieldGetter &log)
{
    QVector<HeaderLine> h = opening(log);
    h << line("NAME: ", log("NAMEEE")) << line("ADDRESS: ", log("ADDRESS1E")) << line("ADDRESS: ", log("ADDRESS2E"))
      << line("ADDRESS: ", log("ADDRESS3")) << line("OPERATORS: ", log("OPERATORS"))
      << line("SOAPBOX: ", log("SOAPBOX"));
    return h;
}

QVector<HeaderLine> ermakHeader(const FieldGetter &log, const FieldGetter &station)
{
    QVector<HeaderLine> h = opening(log);
    // The station record's pieces go in as stored, blanks and all.
    QString operators;
    for (const char *piece : {"FAM", "IMYA", "OTCH", "GODR", "RAZR", "CALL"})
        operators += station(QString::fromLatin1(piece)) + QStringLiteral(", ");
    operators += ',';
    h << line("NAME: ", log("NAMEE")) << line("ADDRESS: ", log("ADDRESS1")) << line("ADDRESS: ", log("ADDRESS2"))
      << line("ADDRESS: ", log("ADDRESS3")) << HeaderLine{QStringLiteral("OPERATORS: "), operators, true}
      << line("SOAPBOX: ", log("SOAPBOX"));
    return h;
}

void appendHeader(QByteArray &out, const QVector<HeaderLine> &header)
{
    for (const HeaderLine &h : header) {
        if (!h.always && h.value.isEmpty())
            continue;
        appendCp1251(out, h.tag);
        appendCp1251Line(out, h.value);
        out += "\r\n";
    }
}

void appendQsoLine(QByteArray &out, const QsoRecord &q, const ReportLayout &l)
{
    const bool left = l.leftAligned;
    out += "QSO: ";
    appendGroup(out, q.band, 6, left);
    appendGroup(out, q.mode, 0, true);
    appendGroup(out, q.data, 0, true);
    appendGroup(out, q.time, 0, true);
    appendGroup(out, q.call1, 14, true);
    appendGroup(out, q.rst1, l.report1, left);
    appendGroup(out, q.nr1, l.number1, left);
    appendGroup(out, q.call2, 14, true);
    appendGroup(out, q.rst2, l.report2, left);
    appendGroup(out, q.nr2, l.number2, left);
    out += "\r\n";
}
