#include "search/search_commands.h"

#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "search/find_dialog.h"
#include "search/replace_dialog.h"
#include "search/search_state.h"
#include "search/text_search.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace vornel {

namespace {

QString initialFindText(const TextArea &area)
{
    const QString selected = area.selText();
    return selected.isEmpty() ? searchState().SearchText : selected;
}

} // namespace

void openFindDialog(Workspace &workspace, TextArea &area)
{
    FindDialog dialog(&area, workspace);
    dialog.text1()->setText(initialFindText(area));
    // Selected, so that typing replaces it.
    dialog.text1()->selectAll();
    searchState().NewSearch = true;
    runModalDialog(dialog);
}

void findNextCommand(Workspace &workspace, TextArea &area, int index)
{
    if (searchState().SearchText.isEmpty()) {
        openFindDialog(workspace, area);
        return;
    }
    searchState().SearchDirection = 1 - index;
    findStep(area, searchState());
}

void openReplaceDialog(Workspace &workspace, TextArea &area)
{
    ReplaceDialog dialog(workspace);
    dialog.text1(0)->setText(initialFindText(area));
    dialog.text1(0)->selectAll();
    runModalDialog(dialog);
    if (dialog.chosenMode() < 0)
        return;
    replaceRun(area, dialog.chosenMode() == 0 ? ReplaceMode::ConfirmEach : ReplaceMode::ReplaceAll,
               searchState());
}

void searchButtonClick(Workspace &workspace)
{
    QCoreApplication::processEvents();
    DocumentWindow *document = workspace.activeDocument();
    if (!document) {
        platform().beep();
        return;
    }
    openFindDialog(workspace, *document->textArea());
}

std::vector<CommandRow> searchRows()
{
    const auto onText = [](void (*command)(Workspace &, TextArea &)) {
        return documentCommand(
            [command](Workspace &workspace, DocumentWindow &window) { command(workspace, *window.textArea()); });
    };
    const auto findNext = [](int index) {
        return documentCommand([index](Workspace &workspace, DocumentWindow &window) {
            findNextCommand(workspace, *window.textArea(), index);
        });
    };
    return {
        {QStringLiteral("mnuSFind"), QObject::tr("&Find..."), {}, onText(openFindDialog)},
        {arrayName(QStringLiteral("mnuSFindNext"), 0), QObject::tr("Find &Next"), QKeySequence(Qt::Key_F3), findNext(0)},
        {arrayName(QStringLiteral("mnuSFindNext"), 1), QObject::tr("Find Pre&vious"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
         findNext(1)},
        {QStringLiteral("mnuSReplace"), QObject::tr("&Replace..."), {}, onText(openReplaceDialog)},
    };
}

} // namespace vornel
