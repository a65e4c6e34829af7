#include "documents/preview.h"

#include "documents/document_files.h"
#include "editor/document_window.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "prefs/external_programs.h"
#include "prefs/preferences.h"

namespace vornel {

namespace {

// Asks for a viewer when none is chosen; false when there still is none.
bool ensureViewer(Workspace &workspace)
{
    if (viewerConfigured(prefs().Viewer))
        return true;
    const MsgResult answer = platform().messageBox(
        QStringLiteral("No HTML Viewer"),
        QStringLiteral("HTML Viewer has not been confiured. Do you want to configure it now?"), MsgButtons::YesNo,
        MsgIcon::Exclamation);
    if (answer != MsgResult::Yes)
        return false;
    CommonDialog &dialog = workspace.commonDialog();
    // The programs folder is this use's starting point only; the file commands keep theirs.
    const QString initDir = dialog.initDir;
    prepareViewerDialog(dialog, prefs().Viewer);
    const bool chosen = platform().showOpenDialog(dialog);
    dialog.dialogTitle.clear();
    dialog.initDir = initDir;
    if (!chosen)
        return false;
    prefs().Viewer = dialog.fileName;
    return true;
}

} // namespace

void previewCommand(Workspace &workspace, DocumentWindow &window)
{
    saveCommand(workspace, window);
    if (window.isUntitled()) {
        platform().messageBox(QStringLiteral("File not saved"),
                              QStringLiteral("You must save the file to disk before viewing"), MsgButtons::Ok,
                              MsgIcon::Critical);
        return;
    }
    if (!ensureViewer(workspace))
        return;
    if (!startViewer(prefs().Viewer, window.realFileName())) {
        platform().messageBox(QStringLiteral("Error starting HTML Viewer/Browser"),
                              QStringLiteral("Viewer not found, or only one instance of this viewer can run. Verify "
                                             "viewer path, close HTML viewer or switch to running viewer and open "
                                             "the file"),
                              MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

} // namespace vornel
