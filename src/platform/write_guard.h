#pragma once

#include <QString>

namespace vornel {

// What may be written to, and telling the user when something the program keeps for them
// cannot be written.

// Why nothing may be written at path: through any links it names a device, a named pipe, a
// socket or a folder, which a file renamed over it would replace and bytes written into it
// would be lost in. Empty for a plain file, or for a name with nothing behind it yet.
QString notAPlainFileReason(const QString &path);

// Why a new file cannot be written in folder (or, where it is not there yet, in the nearest
// folder above it that is), found by writing a small one there and taking it away again: the
// reason for a write that reported none of its own (disk full, no permission, not a folder).
// Empty when the probe could be written.
QString folderWriteProblem(const QString &folder);

// Says once per run for each kind of thing kept (what, such as "The settings"), in a message
// box, that it cannot be written at place and why, and what that means for the user. Later
// failures of the same kind stay quiet; the program goes on trying.
void reportNotKept(const QString &what, const QString &place, const QString &reason, const QString &consequence);
// Forgets what was said, as at the start of a run.
void resetNotKeptReports();

} // namespace vornel
