#pragma once

#include <QMap>
#include <QString>

#include <functional>

class Program;

/// Writes the three reports from the store as the log menu does: the files'
/// text under "cabrillo", "ermak" and "adif".
using ReportWriter = std::function<QMap<QString, QString>()>;

/// Markdown tables of the report lines each field goes into: "station" for
/// the station panel, "contest" for the contest window and the window that
/// adds a contest. Every field is given a mark of its own, the windows save
/// as a user saves them, and the reports that writeReports then writes show
/// where each mark went.
QMap<QString, QString> reportFieldTables(Program &windows, const ReportWriter &writeReports);
