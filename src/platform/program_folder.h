#pragma once

#include <QString>

namespace vornel {

// The program's own folder, which holds the templates and the history files: the folder of
// the executable unless a test has pointed it elsewhere.
QString programFolder();
// An empty folder restores the executable's folder.
void setProgramFolder(const QString &folder);
// The file name in the program's folder, joined as a real path.
QString programFile(const QString &name);

} // namespace vornel
