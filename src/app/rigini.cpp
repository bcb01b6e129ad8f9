#include "rigini.h"

#include "inifile.h"

RigSettings readRigSettings(const IniFile &ini)
{
    const QString section = QStringLiteral("Rig");
    RigSettings s;
    s.enabled = ini.readInt(section, QStringLiteral("Enabled")).value_or(0) != 0;
    if (const auto host = ini.readText(section, QStringLiteral("Host")); host && !host->isEmpty())
        s.host = *host;
    if (const auto port = ini.readInt(section, QStringLiteral("Port")); port && *port > 0 && *port < 65536)
        s.port = quint16(*port);
    return s;
}
