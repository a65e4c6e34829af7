#include "documents/file_io.h"

#include "documents/file_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

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
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0)
        return;
    // Changing the owner clears the set-id bits; they come back with the rest.
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

QString writeDirectly(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!writeAll(file, bytes) || !file.flush())
        return file.errorString();
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
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
    const QFileInfo target(path);
    // A device or a pipe has no contents to protect, and renaming a file over it would
    // replace the node itself.
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeDirectly(path, bytes);

    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    // Renaming a new file over one of several names would part it from the others.
    if (exists && old.st_nlink > 1)
        return writeInPlace(target.canonicalFilePath(), bytes);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // A writable file in a folder that takes no new files can still be written.
        const QFileInfo real(target.canonicalFilePath());
        if (exists && ::access(QFile::encodeName(real.filePath()).constData(), W_OK) == 0
            && ::access(QFile::encodeName(real.path()).constData(), W_OK) != 0)
            return writeInPlace(real.filePath(), bytes);
        return file.errorString();
    }
    if (exists)
        takeOverIdentity(file, old);
    if (!writeAll(file, bytes)) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
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
