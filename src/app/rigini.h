#pragma once

#include "rig/rigsettings.h"

class IniFile;

/// [Rig] of settings.ini: Enabled (0 unless set), Host and Port; a missing,
/// empty or unusable Host or Port keeps its default.
RigSettings readRigSettings(const IniFile &settings);
