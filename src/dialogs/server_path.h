#pragma once

#include <QString>

#include <optional>

namespace vornel {

struct CommonDialog;
struct Preferences;

// Which of the web server's folders (from the preferences) a file belongs in.
enum class ServerFolder {
    Documents,   // WebPath
    Images,      // GifPath
    Multimedia,  // MMedPath
    Other,       // FTPPath
};

// By the file name's extension, case-insensitive; the first matching ending of the table wins.
ServerFolder serverFolderOf(const QString &fileName);

// The reference to the file on the web server: its folder's path, "/" and the file name, or
// the file name alone when that path is empty. The local folder of the file plays no part.
QString serverPath(const QString &fileName, const Preferences &preferences);

// How one dialog's Browse button prepares the shared open-file dialog; the rest is common.
struct BrowseOptions {
    // Shown for this use only and reset to empty afterwards; unset keeps the caller's title.
    std::optional<QString> title;
    // Unset keeps the caller's filter.
    std::optional<QString> filter;
    int filterIndex = 1;
};

inline const QString kImageBrowseFilter =
    QStringLiteral("JPEG Files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*");
inline const QString kGifBrowseFilter = QStringLiteral("GIF Files (*.gif)|*.gif|All Files (*.*)|*.*");

// The history input: whatever its caller set up.
inline const BrowseOptions kListInputBrowse{};
// The image dialog: its opener's title, its own filter, JPEG and GIF offered with GIF chosen.
inline const BrowseOptions kImageDialogBrowse{std::nullopt, kImageBrowseFilter, 2};
// The form input field's image: its own title and filter.
inline const BrowseOptions kFormImageBrowse{QStringLiteral("Locate Image"), kGifBrowseFilter, 1};

// Lets the user pick an existing file in the shared open-file dialog and returns its
// serverPath() under the current preferences; nothing on Cancel.
std::optional<QString> browseServerPath(CommonDialog &dialog, const BrowseOptions &options);

} // namespace vornel
