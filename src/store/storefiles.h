#pragma once

#include <QString>

/// The file moves that keep vireok.mdb whole: hidden temporary names beside
/// a file, syncing, and giving a finished file its name.
namespace StoreFiles {

/// The kinds of hidden temporary file, each named .NAME-KIND-XXXXXX beside
/// the file NAME; only these are ever removed as leftovers.
inline constexpr const char *kNew = "new";
inline constexpr const char *kCopy = "copy";
inline constexpr const char *kRebuild = "rebuild";

/// A new empty file .NAME-KIND-XXXXXX in the folder of beside, where NAME
/// is the file name of nameOf. Empty with error set when none can be made.
QString makeTemporary(const QString &beside, const QString &nameOf, const char *kind, QString &error);

/// Removes a temporary file and its journal.
void removeTemporary(const QString &path);

/// Removes our own leftover temporaries of store (any kind, with their
/// journals) from its folder; never the store's own journal or a backup.
void removeLeftovers(const QString &store);

/// fsync of a file or a folder by name.
bool sync(const QString &path);

/// Gives the finished file temporary the name path, never replacing a file
/// that exists there; the folder is synced. False with error set otherwise.
bool giveName(const QString &temporary, const QString &path, QString &error);

/// The file a name stands for, through symbolic links.
QString realFile(const QString &path);

} // namespace StoreFiles
