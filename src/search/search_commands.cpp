#include "search/search_commands.h"

#include "app/main_window.h"
#include "dialogs/modal_dialog.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "search/find_dialog.h"
#include "search/replace_dialog.h"
#include "search/search_state.h"
#include "search/text_area_target.h"

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

void openFindDialog(TextArea &area)
{
    FindDialog dialog(&area, mainWindow());
    dialog.text1()->setText(initialFindText(area));
    // Selected, so that typing replaces it.
    dialog.text1()->selectAll();
    searchState().NewSearch = true;
    runModalDialog(dialog);
}

void findNextCommand(TextArea &area, int index)
{
    if (searchState().SearchText.isEmpty()) {
        openFindDialog(area);
        return;
    }
    searchState().SearchDirection = 1 - index;
    TextAreaSearchTarget target(area);
    findStep(target, searchState());
}

void openReplaceDialog(TextArea &area)
{
    ReplaceDialog dialog(mainWindow());
    dialog.text1(0)->setText(initialFindText(area));
    dialog.text1(0)->selectAll();
    runModalDialog(dialog);
    if (dialog.chosenMode() < 0)
        return;
    TextAreaSearchTarget target(area);
    replaceRun(target, dialog.chosenMode() == 0 ? ReplaceMode::ConfirmEach : ReplaceMode::ReplaceAll,
               searchState());
}

void searchButtonClick()
{
    QCoreApplication::processEvents();
    MainWindow *main = mainWindow();
    DocumentWindow *document = main ? main->activeDocument() : nullptr;
    if (!document) {
        platform().beep();
        return;
    }
    openFindDialog(*document->textArea());
}

} // namespace vornel
