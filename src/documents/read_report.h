#pragma once

#include <QString>

namespace vornel {

struct FileRead;

// Tells the user how reading a file went, as every command that reads one does: openError
// when the file could not be opened, and "Error Reading File" when not every character of
// name could be read, each followed by the system's reason. True when the file was opened, so that what was read can be used.
bool reportRead(const FileRead &read, const QString &openError, const QString &name);

// The open error of a document file.
QString cantOpenFile(const QString &path);

} // namespace vornel
