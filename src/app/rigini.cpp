#include "rigini.h"

#include "settings/inifile.h"

RigSettings readRigSettings(const IniFile &ini)
{
    RigSettings s;
    s.enabled = ini.read(Settings::rigEnabled) != 0;
    s.host = ini.read(Settings::rigHost);
    s.port = quint16(ini.read(Settings::rigPort));
    return s;
}
