#pragma once

#include <QString>

/// Where rigctld is: [Rig] of settings.ini. Following is off unless asked for.
struct RigSettings {
    bool enabled = false;
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 4532; ///< rigctld's own default
};
