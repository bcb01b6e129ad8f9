#pragma once

#include <QString>

/// The folder that holds the program, where the program's own files live
/// (settings.ini, the known-calls file, the report dialog's first folder).
/// An installed program (its installer leaves installed.txt beside it)
/// lives in a hidden folder: the user's Documents\Vireok takes that
/// folder's place, made when it is missing.
QString programFolder();

/// An installed program started in its own hidden folder (from Explorer, or
/// a shortcut the user made to the program itself) works in the data
/// folder instead, so that it opens the log the Start-menu entry opens.
/// Any other working folder is kept. Call before the store is opened.
void leaveHiddenProgramFolder();
