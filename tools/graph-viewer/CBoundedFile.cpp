#include "graph-viewer/CBoundedFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CBoundedFile::Result CBoundedFile::read(const QString& path, qint64 maxSize, const QString& what,
                                        QByteArray& bytes, QString* error)
{
    bytes.clear();
    const QByteArray name = QFile::encodeName(path);
    const QString cannotRead = QStringLiteral("Cannot read the %1 %2").arg(what, path);
    auto refuse = [&](const QString& text, Result result) {
        if (error)
            *error = text;
        bytes.clear();
        return result;
    };
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT
                   ? refuse(cannotRead + QLatin1Char('.'), Result::Missing)
                   : refuse(cannotRead + QStringLiteral(": %1.").arg(
                                             QString::fromLocal8Bit(std::strerror(errno))),
                            Result::Refused);
    const QString notRegular = QStringLiteral("The %1 %2 is not a regular file.").arg(what, path);
    if (!S_ISREG(info.st_mode))
        return refuse(notRegular, Result::Refused);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuse(cannotRead +
                          QStringLiteral(": %1.").arg(QString::fromLocal8Bit(std::strerror(errno))),
                      Result::Refused);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(cannotRead + QLatin1Char('.'), Result::Refused);
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return refuse(notRegular, Result::Refused);
    const QString tooLarge =
        QStringLiteral("The %1 %2 is larger than %3 MB.").arg(what, path).arg(maxSize >> 20);
    if (info.st_size > maxSize)
        return refuse(tooLarge, Result::Refused);
    // The file may grow while it is read: one byte more than the limit tells.
    bytes = file.read(maxSize + 1);
    if (bytes.size() > maxSize)
        return refuse(tooLarge, Result::Refused);
    if (file.error() != QFileDevice::NoError)
        return refuse(cannotRead + QLatin1Char('.'), Result::Refused);
    return Result::Read;
}
