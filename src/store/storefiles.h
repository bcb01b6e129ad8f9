#pragma once

#include <QString>

/// The file moves that keep vireok.mdb whole: hidden temporary names beside
/// a file, syncing, giving a finished file its name, and what the system
/// says about a file. The system's own calls live in one file per platform.
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

/// The file a name stands for, through symbolic links.
QString realFile(const QString &path);

// --- the system's calls ---

/// Which file a name stands for, links followed: the names of one file give
/// one identity, two different files never do.
struct Identity {
    quint64 volume = 0;
    quint64 file = 0;
    friend bool operator==(const Identity &a, const Identity &b) { return a.volume == b.volume && a.file == b.file; }
};

/// False with error set when path stands for no file that can be looked at.
bool identify(const QString &path, Identity &identity, QString &error);

/// How many names (hard links) the file has; 0 when it is not there.
int linkCount(const QString &path);

/// Gives to the access rights of from, as far as the system keeps them.
void copyAccessRights(const QString &from, const QString &to);

/// Whether this process may make files in folder, read path, write path.
bool canWriteIn(const QString &folder);
bool canRead(const QString &path);
bool canWrite(const QString &path);

/// What may refuse this program the writes in folder that the user may
/// make, told after a refusal: on Windows, inside Documents, the Controlled
/// Folder Access of Windows Security, which keeps unsigned programs out.
/// Empty elsewhere, and where the folder takes this program's writes.
QString writeRefusalCause(const QString &folder);

/// Marks one of our temporary files hidden where a dot in front does not.
void hide(const QString &path);

/// The file's data on the disk; for a folder, its names, where the system
/// can sync a folder at all.
bool sync(const QString &path);

/// Gives the finished file temporary the name path, never replacing a file
/// that exists there; the folder is synced. False with error set otherwise.
bool giveName(const QString &temporary, const QString &path, QString &error);

/// Puts the finished file temporary in the place of path, which it
/// replaces, durably. False with error set otherwise.
bool replace(const QString &temporary, const QString &path, QString &error);

/// Whether a file that this process still has open can be replaced; where
/// it cannot, every handle of the old file is let go first.
extern const bool kReplacesOpenFiles;

/// An exclusive lock on a file that every other process sees, dropped by
/// the system when this process ends however it ends; it leaves SQLite's
/// own locks on the file alone.
enum class Lock { Taken, HeldByOther, Failed };
Lock lock(const QString &path, qintptr &handle, QString &error);
void unlock(qintptr handle);

} // namespace StoreFiles
