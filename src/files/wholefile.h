#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

/// Why a file was not written, and the system's words for it.
struct WriteFailure {
    enum Step { Open, Write, Replace } step;
    QString reason;
};

/// A file written under a hidden temporary name beside its target, and put
/// in the target's place only once all of it is on the disk; the old file
/// of that name stays until then. A link is followed to the file it names,
/// whose access rights the new file takes. On Windows a file that another
/// program holds for a moment (an antivirus, the indexer, a backup tool) is
/// waited for before the replacement is reported as failed.
class WholeFile {
public:
    explicit WholeFile(const QString &path);
    /// Removes the temporary file unless it was committed.
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    bool open();
    QFile &device() { return m_temp; }
    /// Flushes, syncs and puts the file in place; false with errorString().
    bool commit();
    QString errorString() const { return m_error; }
    bool failedAtReplace() const { return m_failedAtReplace; }

private:
    QString m_target;
    QFile m_temp;
    QString m_error;
    bool m_committed = false;
    bool m_failedAtReplace = false;
};

/// Writes the file at path whole or not at all: write puts the content into
/// the device it is given (false when it could not); the old file of that
/// name stays unless all of the new content reached the disk. A full disk is
/// reported as a failed write, never as success.
std::optional<WriteFailure> writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write);

/// message, and on a line of its own what may have refused the write in
/// path's folder though the user may write there (see
/// StoreFiles::writeRefusalCause); message alone where nothing is known.
QString withRefusalCause(const QString &message, const QString &path);
