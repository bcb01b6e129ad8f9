#pragma once

#include "reporttext.h"

#include "store/qsorecord.h"

#include <QByteArray>
#include <QVector>

#include <optional>

/// The QSO line layout chosen in the contest settings.
struct ReportLayout {
    bool leftAligned = false; ///< ALIGN is exactly "L"
    int report1 = 4, number1 = 7, report2 = 4, number2 = 7;
};

/// The widest group a stored width may ask for; the settings window offers 17.
inline constexpr int kMaxGroupWidth = 100;

/// From ALIGN and POSNR10, POSNR11, POSNR20, POSNR21 (trimmed), a negative
/// width as zero; nothing when a width is not a whole number, as before the
/// contest settings are saved, or lies above kMaxGroupWidth.
std::optional<ReportLayout> reportLayout(const FieldGetter &log);
/// The first width field holding a whole number above kMaxGroupWidth, and
/// its text; nothing when there is none.
std::optional<std::pair<QString, QString>> widthOutOfBounds(const FieldGetter &log);

struct HeaderLine {
    QString tag;   ///< with its colon and blank
    QString value; ///< already trimmed where the report trims
    bool always = false;
};

/// The Cabrillo header from the log row.
QVector<HeaderLine> cabrilloHeader(const FieldGetter &log);
/// The ERMAK header: Cyrillic name and address, operators from the station record.
QVector<HeaderLine> ermakHeader(const FieldGetter &log, const FieldGetter &station);

/// Writes the header lines that have a value, each ended by CR LF; a control
/// character inside a value is written as a blank, so a value stays one line.
void appendHeader(QByteArray &out, const QVector<HeaderLine> &header);
/// "QSO: " and the ten groups, padded to the layout's widths, CR LF; a
/// control character inside a field is written as a blank.
void appendQsoLine(QByteArray &out, const QsoRecord &qso, const ReportLayout &layout);

inline constexpr const char *kEndOfLog = "END-OF-LOG:\r\n";
