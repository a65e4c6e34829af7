#pragma once

#include <QString>

namespace vornel {

// Error messages about files name the file and say why, in the system's words.

// The reason an operation on path failed: reported, the text the file object gave, unless it
// says nothing ("Unknown error", empty); then the reason is found from the path itself
// (too long, folder missing, not a folder, no permission).
QString failureReason(const QString &path, const QString &reported);
// Why a file that could not be opened for reading was not: missing, a folder, not a plain
// file, a name not valid in the system's encoding, or what the system says about the path.
QString unreadableReason(const QString &path, const QString &reported);
// The message followed by its reason as a paragraph of its own; the message alone when there
// is no reason.
QString withReason(const QString &message, const QString &reason);

} // namespace vornel
