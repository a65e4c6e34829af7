#include "platform/file_io.h"

#include "platform/file_errors.h"
#include "platform/write_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace vornel {

namespace {

constexpr qint64 kReadChunk = 4 * 1024 * 1024;

QString g_spareCopyFolder;

bool flushToDisk(QFileDevice &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}

// Gives a new file the owner, group and permission bits of the one it replaces, as far as the
// system lets this user: another owner only for root, another group only among the user's own.
void takeOverIdentity(QFileDevice &file, const struct stat &old)
{
    const int fd = file.handle();
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid);
    // After the owner, which clears the set-id bits; the system drops those it does not allow.
    (void)::fchmod(fd, old.st_mode & 07777);
}

// A whole copy of the old bytes that is on the disk before the file is touched: beside the
// file, or in the spare folder when its own folder takes no new files. Empty on failure.
QString keepOldBytes(const QString &path, const QByteArray &old)
{
    const QFileInfo info(path);
    for (const QString &folder : {info.absolutePath(), spareCopyFolder()}) {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            continue;
        QTemporaryFile copy(QDir(folder).filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX.old")));
        copy.setAutoRemove(false);
        if (!copy.open())
            continue;
        if (writeAll(copy, old) && flushToDisk(copy))
            return copy.fileName();
        copy.remove();
    }
    return QString();
}

// Writes bytes over the file itself, so that every name it has and its owner stay. The new
// bytes go over the old ones before the file is cut to length: should the disk fill up, the old
// bytes fit back into the space they held.
QString writeInPlace(const QString &path, const QByteArray &bytes)
{
    const FileRead old = readWholeFile(path);
    if (!old.complete)
        return QStringLiteral("Cannot read the old contents of %1").arg(path);
    const QString spare = keepOldBytes(path, old.bytes);
    if (spare.isEmpty())
        return QStringLiteral("Cannot keep a copy of %1 while it is written").arg(path);

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        QFile::remove(spare);
        return file.errorString();
    }
    if (writeAll(file, bytes) && flushToDisk(file) && file.resize(bytes.size()) && flushToDisk(file)) {
        file.close();
        QFile::remove(spare);
        return QString();
    }
    const QString error = file.errorString();
    const bool restored = file.seek(0) && writeAll(file, old.bytes) && flushToDisk(file)
                          && file.resize(old.bytes.size()) && flushToDisk(file);
    file.close();
    if (!restored)
        return error + QStringLiteral("\nThe old contents are kept in ") + spare;
    QFile::remove(spare);
    return error;
}

// The permission bits a new file gets from this process's umask, read without changing it:
// umask() itself would change it for a moment, for every thread.
mode_t newFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:"))
                return mode_t(0666 & ~line.mid(6).trimmed().toUInt(nullptr, 8));
        }
    }
    return 0644;
}

// Writes bytes to a new file beside target and renames it over target, so that a reader sees
// the old file or the new one, whole. The new file's name is short, whatever the length of
// target's own: a name near the file system's limit leaves no room for a suffix.
QString replaceByRename(const QString &target, const QByteArray &bytes, const struct stat *old, bool *noNewFile)
{
    const QFileInfo info(target);
    QTemporaryFile file(QDir(info.absolutePath()).filePath(QStringLiteral(".vornel-XXXXXX")));
    if (!file.open()) {
        *noNewFile = true;
        return file.errorString();
    }
    if (old)
        takeOverIdentity(file, *old);
    else
        (void)::fchmod(file.handle(), newFileMode());
    if (!writeAll(file, bytes) || !flushToDisk(file))
        return file.errorString();
    file.close();
    if (::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    file.setAutoRemove(false);
    return QString();
}

} // namespace

bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

FileRead readWholeFile(const QString &path,
                       const std::function<void(qint64 done, qint64 total)> &progress)
{
    FileRead result;
    QFile file(path);
    // Only plain files: a folder has no text, a named pipe would wait for a writer forever and
    // a device such as /dev/zero never ends.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.error = unreadableReason(path, file.errorString());
        return result;
    }
    result.opened = true;

    const qint64 size = file.size();
    // Files that report no size (as under /proc) are read to their end.
    if (file.isSequential() || size <= 0) {
        result.bytes = file.readAll();
        result.complete = file.error() == QFileDevice::NoError;
        if (!result.complete)
            result.error = file.errorString();
        return result;
    }

    result.bytes.resize(size);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(result.bytes.data() + done, std::min(kReadChunk, size - done));
        if (got <= 0)
            break;
        done += got;
        if (progress)
            progress(done, size);
    }
    result.bytes.resize(done);
    result.complete = done == size;
    // A file that ends before its reported size is short, not failing: no reason to give.
    if (!result.complete && file.error() != QFileDevice::NoError)
        result.error = file.errorString();
    return result;
}

QString writeFileSafely(const QString &path, const QByteArray &bytes)
{
    // A device, a pipe or a folder is never written into, nor replaced by a file renamed over it.
    if (const QString refused = notAPlainFileReason(path); !refused.isEmpty())
        return refused;

    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    // Through links to the file itself, which keeps the links.
    const QString real = exists ? QFileInfo(path).canonicalFilePath() : path;
    // Renaming a new file over one of several names would part it from the others.
    if (exists && old.st_nlink > 1)
        return writeInPlace(real, bytes);

    bool noNewFile = false;
    const QString error = replaceByRename(real, bytes, exists ? &old : nullptr, &noNewFile);
    // A writable file in a folder that takes no new files can still be written.
    if (noNewFile && exists && ::access(QFile::encodeName(real).constData(), W_OK) == 0
        && ::access(QFile::encodeName(QFileInfo(real).path()).constData(), W_OK) != 0)
        return writeInPlace(real, bytes);
    return error;
}

QString spareCopyFolder()
{
    if (!g_spareCopyFolder.isEmpty())
        return g_spareCopyFolder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("spare"));
}

void setSpareCopyFolder(const QString &folder)
{
    g_spareCopyFolder = folder;
}

QString fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return a == b || fileIdentity(a) == fileIdentity(b);
}

} // namespace vornel
