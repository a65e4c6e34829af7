#include "platform/file_errors.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vornel {

namespace {

QString systemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

bool saysNothing(const QString &reported)
{
    return reported.isEmpty() || reported == QLatin1String("Unknown error");
}

#ifdef Q_OS_UNIX
// The error the system gives for a path, or 0 when nothing is wrong with it.
int pathError(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() >= PATH_MAX)
        return ENAMETOOLONG;
    for (const QByteArray &part : encoded.split('/')) {
        if (part.size() > NAME_MAX)
            return ENAMETOOLONG;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct stat info {};
    if (::stat(folder.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return errno;
    return 0;
}
#endif

} // namespace

QString failureReason(const QString &path, const QString &reported)
{
    if (!saysNothing(reported))
        return reported;
#ifdef Q_OS_UNIX
    if (const int code = pathError(path))
        return systemText(code);
#else
    Q_UNUSED(path);
#endif
    return reported.isEmpty() ? QStringLiteral("Unknown error") : reported;
}

QString unreadableReason(const QString &path, const QString &reported)
{
    const QFileInfo file(path);
    if (file.isDir())
        return systemText(EISDIR);
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int code = errno;
        // A name holding bytes the system's encoding has no character for arrives with those
        // bytes replaced, and so names no file: the file may well be there.
        if (code == ENOENT && path.contains(QChar::ReplacementCharacter))
            return QStringLiteral("The name is not valid in the system's character encoding");
        return systemText(code);
    }
#endif
    if (file.exists() && !file.isFile())
        return QStringLiteral("Not a plain file");
    return failureReason(path, reported);
}

QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason;
}

} // namespace vornel
