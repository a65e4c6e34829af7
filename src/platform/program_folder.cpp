#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace vornel {

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

bool isInstalled()
{
    return QFileInfo(installedDataFolder()).isDir();
}

} // namespace

QString programFolder()
{
    const QString &folder = folderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setProgramFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString installedDataFolder()
{
    return QDir::cleanPath(programFolder() + QStringLiteral("/../share/vornel"));
}

bool programFolderIsOwn()
{
    const QFileInfo folder(programFolder());
    return folder.isDir() && folder.isWritable() && !isInstalled();
}

QString userDataFolder()
{
    if (programFolderIsOwn())
        return programFolder();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString historyFilePath(const QString &name)
{
    const QString folder = userDataFolder();
    const QString path = folder + QLatin1Char('/') + name;
    const QString earlier = programFolder() + QLatin1Char('/') + name;
    if (folder != programFolder() && !QFileInfo::exists(path) && QFileInfo(earlier).isFile())
        QFile::copy(earlier, path);
    return path;
}

QStringList templateFolders()
{
    if (programFolderIsOwn())
        return {programFolder()};
    return {userDataFolder(), isInstalled() ? installedDataFolder() : programFolder()};
}

QStringList templateNames(const QStringList &folders)
{
    QStringList names;
    for (const QString &folder : folders) {
        const QStringList found = QDir(folder).entryList({QStringLiteral("*.htt")}, QDir::Files,
                                                         QDir::Name | QDir::IgnoreCase);
        for (const QString &name : found) {
            if (!names.contains(name))
                names << name;
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString templateFile(const QString &name, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString path = folder + QLatin1Char('/') + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return folders.value(0) + QLatin1Char('/') + name;
}

QString defaultDocumentFolder()
{
    if (programFolderIsOwn())
        return programFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace vornel
