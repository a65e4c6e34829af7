#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

namespace vornel {

// Whole-file reading and writing for documents; no windows involved.

struct FileRead {
    bool opened = false;     // false: missing, a folder, or not readable
    bool complete = false;   // every byte the file holds was read
    QByteArray bytes;        // what was read, also when incomplete
    QString error;           // why it was not opened or not read completely
};

// Reads the whole file. progress, when given, is told the bytes read so far and the total
// after each chunk of a file whose size is known.
FileRead readWholeFile(const QString &path,
                       const std::function<void(qint64 done, qint64 total)> &progress = {});

// Writes until everything is written or a write fails. A write the disk cuts short reports no
// error itself; only the next one fails, with the reason (disk full, file too large).
bool writeAll(QFileDevice &file, const QByteArray &bytes);

// Replaces the file at path with bytes without ever leaving it half written, and keeps the
// file what it was: its links, owner, group and permission bits (where the system allows).
// Usually the bytes go to a temporary file in the same folder that is then renamed over the
// target, so on any failure the old file is untouched. A file with more than one hard link,
// or in a folder where no temporary file can be made, is written in place instead: a whole
// copy of the old bytes is kept (beside it, or else in spareFolder) until the new ones are on
// the disk, and put back on any failure. What path names through its links, when it is not a
// plain file (a device, a pipe, a socket, a folder), is neither written into nor replaced. Returns the
// platform's error text, or the empty text on success.
QString writeFileSafely(const QString &path, const QByteArray &bytes);

// Where the old bytes of a file written in place wait when its own folder takes no files:
// the per-user state folder unless set otherwise (tests).
QString spareCopyFolder();
void setSpareCopyFolder(const QString &folder);

// The path as the file system identifies its file: the canonical path (links resolved), or
// the cleaned absolute path of a file that does not exist.
QString fileIdentity(const QString &path);
// True when both paths name the same file; an empty path names none.
bool isSameFile(const QString &a, const QString &b);

} // namespace vornel
