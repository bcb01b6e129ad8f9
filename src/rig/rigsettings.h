#pragma once

#include <QString>

/// Where rigctld is, as [Rig] of settings.ini says. Following is off unless
/// asked for.
struct RigSettings {
    bool enabled = false;
    QString host;
    quint16 port = 0;
};
