#pragma once

#include <QString>
#include <QStringList>

namespace vornel {

// The program's own folder: the folder of the executable unless a test has pointed it
// elsewhere. An unpacked copy keeps its templates, history files and manual there.
QString programFolder();
// An empty folder restores the executable's folder.
void setProgramFolder(const QString &folder);

// Where an installation keeps the program's shipped files: <prefix>/share/vornel beside the
// program folder <prefix>/bin.
QString installedDataFolder();

// True when the program keeps its own files in the program folder: the user can write there
// and it is not the bin folder of an installation, which a package manager owns and other
// programs share (root, or a prefix in the user's home, could write there all the same).
bool programFolderIsOwn();

// Where the program writes its own files (history files, the user's templates): the program
// folder when it is its own, otherwise the per-user data folder, made when missing.
QString userDataFolder();

// A history file ("gif-list.qvl", "url-list.qvl") in userDataFolder(). When that is not the
// program folder and does not hold the file yet, the program folder's copy is taken over first,
// so the history an unpacked copy kept before it became read-only is not lost.
QString historyFilePath(const QString &name);

// The folders templates come from, first one first: the program folder when it is its own;
// otherwise the per-user data folder, then the installed data folder of an installation or the
// read-only program folder.
QStringList templateFolders();
// The "*.htt" file names in the folders, sorted ignoring case; a name in more than one folder
// is listed once.
QStringList templateNames(const QStringList &folders);
// The path of the named template: in the first folder that holds it, else in the first folder
// (where opening it fails as for any missing template).
QString templateFile(const QString &name, const QStringList &folders);

// The default document folder ("DocPath"): the program folder when it is its own, otherwise
// the user's documents folder, or the home folder when there is none.
QString defaultDocumentFolder();

} // namespace vornel
