#include "regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openRegularFile(QFile &file, const QString &path, QString &why)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    // Opening a device can act on it (a serial port's lines change), so the
    // name is looked at first; a pipe would block an ordinary open.
    if (::stat(name.constData(), &before) != 0) {
        why = qt_error_string(errno);
        return false;
    }
    if (!S_ISREG(before.st_mode)) {
        why.clear();
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = qt_error_string(errno);
        return false;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        why.clear();
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        why = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}
