#include "dialogs/history_file.h"

#include "editor/text_codec.h"
#include "platform/file_io.h"
#include "platform/write_guard.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vornel {

namespace {

constexpr qint64 kCopyChunk = 1024 * 1024;

// Copies the file's bytes from offset to its end onto out.
bool copyRest(const QString &path, qint64 offset, QFileDevice &out)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(offset))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kCopyChunk);
        if (chunk.isEmpty() || !writeAll(out, chunk))
            return false;
    }
    return in.error() == QFileDevice::NoError;
}

// A pipe would wait for a writer or reader forever and a device may never end; a folder has
// no lines. Only plain files, or ones yet to be made, are history files; the user hears once
// why another is not written.
bool mayHoldHistory(const QString &path)
{
    const QString refused = notAPlainFileReason(path);
    if (!refused.isEmpty())
        reportNotKept(QStringLiteral("The history list"), path, refused,
                      QStringLiteral("Names and addresses typed now are not remembered for later."));
    return refused.isEmpty();
}

} // namespace

HistoryContents readHistory(const QString &path, const HistoryLimits &limits)
{
    HistoryContents contents;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return contents;

    const QByteArray bytes = file.read(limits.maxBytes);
    const bool readToEnd = file.atEnd();
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype pos = 0;
    while (pos < size && contents.entries.size() < limits.maxEntries) {
        qsizetype end = pos;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        if (end - pos > limits.maxLineBytes)
            break;
        qsizetype next = end + 1;
        if (end == size) {
            // The line may go on past what was read.
            if (!readToEnd)
                break;
            next = size;
        } else if (data[end] == '\r') {
            // A CR at the edge of what was read may be the first half of a CR LF.
            if (end + 1 == size && !readToEnd)
                break;
            if (end + 1 < size && data[end + 1] == '\n')
                next = end + 2;
        }
        contents.entries << codec::decode(bytes.mid(pos, end - pos));
        pos = next;
    }
    if (pos < size || !readToEnd)
        contents.unreadFrom = pos;
    return contents;
}

void appendHistoryEntry(const QString &path, const QString &entry)
{
    if (!mayHoldHistory(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return;
    const qint64 oldSize = file.size();
    QByteArray bytes;
    char last = 0;
    if (oldSize > 0 && file.seek(oldSize - 1) && file.getChar(&last) && last != '\n' && last != '\r')
        bytes = "\r\n";
    bytes += codec::encode(entry) + "\r\n";
    // A line written only in part would glue the next entry onto it.
    if (!writeAll(file, bytes) || !file.flush())
        file.resize(oldSize);
}

void rewriteHistory(const QString &path, const QStringList &entries, qint64 unreadFrom)
{
    if (!mayHoldHistory(path))
        return;
    QByteArray shown;
    for (const QString &entry : entries)
        shown += codec::encode(entry) + "\r\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    bool written = writeAll(file, shown);
    if (written && unreadFrom >= 0)
        written = copyRest(path, unreadFrom, file);
    if (!written) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

} // namespace vornel
