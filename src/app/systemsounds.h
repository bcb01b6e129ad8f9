#pragma once

#include "seams/sounds.h"

#include <memory>

/// The cues played the system's way: the desktop's sound player on Linux,
/// the system's own sound call on Windows.
std::unique_ptr<Sounds> systemSounds();
