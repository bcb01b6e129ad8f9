#pragma once

#include <QString>
#include <QStringList>

/// The folders, after the working directory, where "Руководство
/// пользователя" looks for manual.pdf: beside the program (a build folder),
/// then where it is installed beside it (<program folder>/../share/vireok).
QStringList manualFolders();

/// manual.pdf of the working directory when there is one (by that bare name,
/// as the desktop has always been asked), else the first of folders that
/// holds one; else the bare name again, so the desktop's viewer says itself
/// that there is none.
QString manualToOpen(const QStringList &folders);
