#include "documents/file_io.h"

#include "documents/file_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace vornel {

namespace {

constexpr qint64 kReadChunk = 4 * 1024 * 1024;

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

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!writeAll(file, bytes)) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
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
