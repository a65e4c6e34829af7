#include "platform/program_folder.h"

#include <QCoreApplication>

namespace vornel {

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
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

QString programFile(const QString &name)
{
    return programFolder() + QLatin1Char('/') + name;
}

} // namespace vornel
