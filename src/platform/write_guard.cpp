#include "platform/write_guard.h"

#include "platform/platform.h"
#include "platform/version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace vornel {

namespace {

QSet<QString> &reportedKinds()
{
    static QSet<QString> reported;
    return reported;
}

QString kindOf(mode_t mode)
{
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a file");
}

} // namespace

QString notAPlainFileReason(const QString &path)
{
    struct stat info {};
    // stat() follows every link to what is finally there.
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return QString();
    if (S_ISDIR(info.st_mode))
        return QString::fromLocal8Bit(std::strerror(EISDIR));
    return QStringLiteral("Not a plain file: it is %1").arg(kindOf(info.st_mode));
}

QString folderWriteProblem(const QString &folder)
{
    // A folder yet to be made is made in the nearest one above it that is there.
    QString existing = QDir::cleanPath(QDir(folder).absolutePath());
    struct stat info {};
    while (::stat(QFile::encodeName(existing).constData(), &info) != 0) {
        if (errno != ENOENT || existing == QDir::rootPath())
            return QString::fromLocal8Bit(std::strerror(errno));
        existing = QFileInfo(existing).absolutePath();
    }
    if (!S_ISDIR(info.st_mode))
        return QString::fromLocal8Bit(std::strerror(ENOTDIR));
    QTemporaryFile probe(QDir(existing).filePath(QStringLiteral(".vornel-probe-XXXXXX")));
    if (!probe.open())
        return probe.errorString();
    // Some bytes, and on the disk: a full disk still makes empty files. Written past Qt's
    // buffer, which loses the reason of a write cut short.
    const QByteArray bytes(4096, ' ');
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(probe.handle(), bytes.constData() + done, size_t(bytes.size() - done));
        if (written <= 0)
            return QString::fromLocal8Bit(std::strerror(written < 0 ? errno : ENOSPC));
        done += written;
    }
    if (::fsync(probe.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

void reportNotKept(const QString &what, const QString &place, const QString &reason, const QString &consequence)
{
    if (reportedKinds().contains(what))
        return;
    reportedKinds().insert(what);
    QString text = what + QStringLiteral(" cannot be written to ") + place + QLatin1Char('.');
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    text += QStringLiteral("\n\n") + consequence;
    platform().messageBox(kProductName, text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void resetNotKeptReports()
{
    reportedKinds().clear();
}

} // namespace vornel
