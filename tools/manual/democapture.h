#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

/// What the manual shows of the program as it is built: the screenshots of
/// its real windows, the files its exports write and where in them each field
/// of its windows goes.
struct DemoOutput {
    QStringList images;              ///< file names written into the image folder
    QMap<QString, QString> examples; ///< "cabrillo", "ermak", "adif": the files, as text
    QMap<QString, QString> tables;   ///< "station", "contest": where each field goes in the reports
};

/// Opens the windows on a small demo log in a temporary store, offscreen,
/// and saves what the manual needs into imageFolder as PNG files.
DemoOutput makeDemo(const QString &imageFolder);
