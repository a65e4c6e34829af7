#pragma once

#include <QString>
#include <QStringList>

namespace vornel {

// History files (gif-list.qvl, url-list.qvl): single-byte text, one entry per line, in list
// order, written with CR LF. No windows involved.

// The most of a history file that is shown: a longer file is shown from its start, up to its
// first line too long to be a name or address, and the rest is kept on disk, so that a runaway
// file never holds up a dialog or its drop-down.
struct HistoryLimits {
    qsizetype maxEntries = 5000;
    qint64 maxBytes = 1024 * 1024;
    qsizetype maxLineBytes = 4096;
};

struct HistoryContents {
    QStringList entries;
    // Where the lines that were not read start in the file; -1 when every line was read.
    qint64 unreadFrom = -1;
};

// The lines of the file. A line ends at CR LF, LF or a lone CR; the last line may lack its
// end. Anything but a readable plain file (missing, a folder, a pipe, a device) gives no
// entries at once.
HistoryContents readHistory(const QString &path, const HistoryLimits &limits = {});

// Adds the entry as the file's new last line, starting a new line first when the file's last
// line has no line end. Nothing is written to anything but a plain file or a new one (the
// first refusal of a run is told to the user); a failure is ignored.
void appendHistoryEntry(const QString &path, const QString &entry);

// Replaces the file with the entries, followed by the file's own bytes from unreadFrom on
// (the lines readHistory did not read), when unreadFrom is not -1. The old file stays whole
// until the new one is complete; a failure leaves it as it was.
void rewriteHistory(const QString &path, const QStringList &entries, qint64 unreadFrom = -1);

} // namespace vornel
