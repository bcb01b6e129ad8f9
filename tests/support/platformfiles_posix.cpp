#include "platformfiles.h"

#include <QFile>
#include <QProcess>

#include <grp.h>
#include <unistd.h>

namespace PlatformFiles {

const bool kSymbolicLinks = true;
const bool kPermissionBits = true;

bool hardLink(const QString &existing, const QString &name)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(name).constData()) == 0;
}

bool ignoresReadOnly()
{
    return ::geteuid() == 0;
}

void startAsOrdinaryUser(QProcess &process, const QString &program, const QStringList &args, const QStringList &paths)
{
    if (::geteuid() == 0) {
        const uid_t nobody = 65534;
        for (const QString &path : paths)
            if (::chown(QFile::encodeName(path).constData(), nobody, nobody) != 0)
                return;
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
                ::_exit(99);
        });
    }
    process.start(program, args);
}

} // namespace PlatformFiles
