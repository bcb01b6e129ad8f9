#pragma once

#include <QString>

#include <optional>

/// One of the program's own files that a file written at a chosen name
/// would destroy.
struct OwnFile {
    QString path;
    bool isSettings = false; ///< settings.ini; otherwise the store or a side file of it
};

/// The own file that path names, through symbolic and hard links, relative
/// names and side files of the store that are not there yet; nothing when
/// path is free for a report or a picture.
std::optional<OwnFile> ownFileAt(const QString &path, const QString &storePath, const QString &settingsFile);
