#include "dialogs/server_path.h"

#include "platform/dialog_rules.h"
#include "platform/platform.h"
#include "prefs/preferences.h"

namespace vornel {

namespace {

struct ExtensionRow {
    QLatin1StringView ending;
    ServerFolder folder;
};

// In the order they are checked; the first match wins.
constexpr ExtensionRow kExtensions[] = {
    {QLatin1StringView(".html"), ServerFolder::Documents},
    {QLatin1StringView(".jpeg"), ServerFolder::Multimedia},
    {QLatin1StringView(".tiff"), ServerFolder::Multimedia},
    {QLatin1StringView(".mpeg"), ServerFolder::Multimedia},
    {QLatin1StringView(".gif"), ServerFolder::Images},
    {QLatin1StringView(".htm"), ServerFolder::Documents},
    {QLatin1StringView(".eps"), ServerFolder::Multimedia},
    {QLatin1StringView(".snd"), ServerFolder::Multimedia},
    {QLatin1StringView(".wav"), ServerFolder::Multimedia},
    {QLatin1StringView(".jpg"), ServerFolder::Multimedia},
    {QLatin1StringView(".jpe"), ServerFolder::Multimedia},
    {QLatin1StringView(".tif"), ServerFolder::Multimedia},
    {QLatin1StringView(".mpg"), ServerFolder::Multimedia},
    {QLatin1StringView(".mpe"), ServerFolder::Multimedia},
    {QLatin1StringView(".avi"), ServerFolder::Multimedia},
    {QLatin1StringView(".ps"), ServerFolder::Multimedia},
    {QLatin1StringView(".au"), ServerFolder::Multimedia},
};

const QString &folderPath(ServerFolder folder, const Preferences &preferences)
{
    switch (folder) {
    case ServerFolder::Documents: return preferences.WebPath;
    case ServerFolder::Images: return preferences.GifPath;
    case ServerFolder::Multimedia: return preferences.MMedPath;
    case ServerFolder::Other: break;
    }
    return preferences.FTPPath;
}

} // namespace

ServerFolder serverFolderOf(const QString &fileName)
{
    for (const ExtensionRow &row : kExtensions) {
        if (fileName.endsWith(row.ending, Qt::CaseInsensitive))
            return row.folder;
    }
    return ServerFolder::Other;
}

QString serverPath(const QString &fileName, const Preferences &preferences)
{
    // A URL separates its folders with "/" whatever file system the server has; a folder
    // typed with its closing "/" gets no second one.
    const QString &prefix = folderPath(serverFolderOf(fileName), preferences);
    if (prefix.isEmpty() || prefix.endsWith(u'/'))
        return prefix + fileName;
    return prefix + u'/' + fileName;
}

std::optional<QString> browseServerPath(CommonDialog &dialog, const BrowseOptions &options)
{
    dialog.fileName.clear();
    if (options.title)
        dialog.dialogTitle = *options.title;
    if (options.filter)
        dialog.filter = *options.filter;
    dialog.filterIndex = options.filterIndex;
    dialog.flags = FileDialogFlags::FileMustExist | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly;
    const bool chosen = platform().showOpenDialog(dialog);
    if (options.title)
        dialog.dialogTitle.clear();
    if (!chosen)
        return std::nullopt;
    const QString name = dialog.fileTitle.isEmpty() ? fileTitleOf(dialog.fileName) : dialog.fileTitle;
    return serverPath(name, prefs());
}

} // namespace vornel
