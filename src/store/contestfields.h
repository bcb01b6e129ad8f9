#pragma once

#include <QStringList>

/// The names of the contest's settings that the store keeps in log and
/// contest, the contest window edits and the reports write: one list each,
/// in the order of the store's columns.
namespace ContestFields {

/// The eight Cabrillo categories, ASSISTED to OVERLAY.
inline const QStringList &categories()
{
    static const QStringList f = {"CATEGORY-ASSISTED", "CATEGORY-BAND", "CATEGORY-MODE",        "CATEGORY-OPERATOR",
                                  "CATEGORY-STATION",  "CATEGORY-TIME", "CATEGORY-TRANSMITTER", "CATEGORY-OVERLAY"};
    return f;
}

/// Three breaks in log, each "begin end" in one field.
inline const QStringList &offTimes()
{
    static const QStringList f = {"OFFTIME1", "OFFTIME2", "OFFTIME3"};
    return f;
}

/// The same three breaks in contest, begin and end apart: OFFTIME11, OFFTIME12, ...
inline const QStringList &contestOffTimes()
{
    static const QStringList f = {"OFFTIME11", "OFFTIME12", "OFFTIME21", "OFFTIME22", "OFFTIME31", "OFFTIME32"};
    return f;
}

/// Widths of the report lines' groups: heard report and number, worked
/// report and number.
inline const QStringList &numberWidths()
{
    static const QStringList f = {"POSNR10", "POSNR11", "POSNR20", "POSNR21"};
    return f;
}

} // namespace ContestFields
