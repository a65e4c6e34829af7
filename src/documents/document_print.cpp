#include "documents/document_files.h"

#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/version.h"

namespace vornel {

void printCommand(Workspace &workspace)
{
    DocumentWindow *window = workspace.activeDocument();
    if (!window)
        return;
    const TextArea &text = *window->textArea();

    PrintDialogOptions options;
    options.copies = 1;
    options.flags = PrintDialogFlags::DisablePrintToFile | PrintDialogFlags::NoPageNums
                    | (text.selLength() > 0 ? PrintDialogFlags::Selection : PrintDialogFlags::NoSelection);
    if (!platform().showPrintDialog(options))
        return;

    const bool selection = options.flags & PrintDialogFlags::Selection;
    if (selection && text.selLength() == 0) {
        platform().messageBox(kProductName, QStringLiteral("No selection to print"), MsgButtons::Ok, MsgIcon::None);
        return;
    }
    if (options.flags & PrintDialogFlags::PrintToFile) {
        platform().messageBox(kProductName, QStringLiteral("only one copy when you print to file"),
                              MsgButtons::Ok, MsgIcon::None);
        return;
    }
    const QString job = (selection ? text.selText() : text.text()) + QStringLiteral("\r\n");
    // One job per copy; a failing job ends the command like any other error.
    for (int copy = 0; copy < options.copies; ++copy) {
        if (!platform().printText(job))
            return;
    }
}

void printSetupCommand()
{
    // Cancel and errors alike leave the printer as it was.
    platform().showPrintSetupDialog();
}

} // namespace vornel
