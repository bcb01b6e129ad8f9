#pragma once

#include <QString>

/// The folder that holds the program, where the program's own files live
/// (settings.ini, the known-calls file, the report dialog's first folder).
/// An installed program lives in a hidden folder: its installer names the
/// user's data folder in data-folder.txt beside the program, and that
/// folder takes the program folder's place.
QString programFolder();
