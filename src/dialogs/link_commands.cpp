#include "dialogs/link_commands.h"

#include "dialogs/image_dialog.h"
#include "dialogs/list_input_box.h"
#include "editor/insert_commands.h"
#include "editor/insertion.h"
#include "editor/workspace.h"
#include "platform/platform.h"

namespace vornel {

void insertImageCommand(Workspace &workspace, TextEdit &area)
{
    const QString body = showImageDialog(workspace);
    if (!body.isEmpty())
        insertInlineTag(area, body, false);
}

void documentLinkCommand(Workspace &workspace, TextEdit &area)
{
    CommonDialog &files = workspace.commonDialog();
    files.dialogTitle = QStringLiteral("Insert URL Reference");
    files.filter = QStringLiteral(
        "HTML Files (*.htm, *.html)|*.htm; *.html|Text Files (*.txt, *.text)|*.txt; *.text|GIF Files "
        "(*.gif)|*.gif|Images (JPEG, TIFF)|*.jpe; *.jpg; *.jpeg; *.tif; *.tiff|PostScript (*.eps, *.ps)|*.eps; "
        "*.ps|Sound (AU, WAV)|*.au; *.snd; *.wav|Video (MPEG, AVI)|*.mpe; *.mpg; *.mpeg; *.avi|All Files "
        "(*.*)|*.*");
    const QString address =
        listInputBox(workspace, QStringLiteral("Select or enter document URL, or browse for local files."),
                     QStringLiteral("url-list.qvl"), QStringLiteral("Jump or Link to Another Document"));
    files.dialogTitle.clear();
    if (!address.isEmpty())
        insertLink(area, address);
}

} // namespace vornel
