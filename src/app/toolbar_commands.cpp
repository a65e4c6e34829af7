#include "app/toolbar_commands.h"

#include "app/main_window.h"
#include "dialogs/image_dialog.h"
#include "dialogs/link_commands.h"
#include "dialogs/list_assistant.h"
#include "dialogs/preference_dialog.h"
#include "documents/document_files.h"
#include "documents/new_document.h"
#include "documents/preview.h"
#include "editor/document_window.h"
#include "editor/insert_commands.h"
#include "editor/insertion.h"
#include "editor/list_conversion.h"
#include "editor/markup_commands.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "prefs/preferences.h"
#include "search/search_commands.h"

namespace vornel {

namespace {

using Run = std::function<void(MainWindow &)>;

// Commands on the active document's text; the button's beep rule has already made sure
// there is one.
Run onText(std::function<void(Workspace &, TextArea &)> command)
{
    return [command = std::move(command)](MainWindow &main) {
        if (DocumentWindow *document = main.activeDocument())
            command(main, *document->textArea());
    };
}

// The block tags at the caret, as a text command.
std::function<void(Workspace &, TextArea &)> tagsAtCaret(QStringList tags, bool closeTag = false)
{
    return [tags = std::move(tags), closeTag](Workspace &, TextArea &area) { insertBlockTags(area, tags, closeTag); };
}

// The mail link of the toolbar: an e-mail address set in the preferences is used without
// asking.
void toolbarMailLink(Workspace &, TextArea &area)
{
    QString address = prefs().MID;
    if (address == kPlaceholderMID) {
        address = platform().inputBox(QStringLiteral("MAILTO Link"), QStringLiteral("User ID to receive mail"),
                                      QStringLiteral("USERID"));
        if (address.isEmpty())
            return;
    }
    insertLink(area, QStringLiteral("mailto:") + address);
}

// A list button: one command with text selected, another with nothing selected.
Run listButton(std::function<void(Workspace &, TextArea &)> selected, std::function<void(Workspace &, TextArea &)> empty)
{
    return onText([selected = std::move(selected), empty = std::move(empty)](Workspace &workspace, TextArea &area) {
        if (area.selLength() > 0) {
            if (selected)
                selected(workspace, area);
        } else if (empty) {
            empty(workspace, area);
        }
    });
}

// A new image bullet from the image dialog, remembered; empty when the dialog was cancelled.
QString askImageBullet(Workspace &workspace)
{
    const QString tag = showImageDialog(workspace);
    if (tag.isEmpty())
        return {};
    lastImageBullet() = QStringLiteral("<BR><") + tag + QLatin1Char('>');
    return lastImageBullet();
}

void imageItemOfSelection(Workspace &workspace, TextArea &area)
{
    QString bullet = lastImageBullet();
    if (!bullet.contains(QLatin1String("<IMG")))
        bullet = askImageBullet(workspace);
    if (!bullet.isEmpty())
        convertSelectionToList(area, bullet);
}

void imageItemAtCaret(Workspace &workspace, TextArea &area)
{
    if (lastImageBullet().contains(QLatin1String("IMG"), Qt::CaseInsensitive)) {
        insertBeforeSelection(area, QStringLiteral("\r\n") + lastImageBullet());
        return;
    }
    const QString bullet = askImageBullet(workspace);
    if (!bullet.isEmpty())
        insertBeforeSelection(area, bullet);
}

QString arrayEntry(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

QString ToolbarButtonRow::faceName() const
{
    QString stem = name;
    return stem.remove(u'(').remove(u')');
}

std::vector<ToolbarButtonRow> toolbarRows(ToolbarRow row)
{
    const auto file = [](int index) { return arrayEntry("BtnFile", index); };
    const auto edit = [](int index) { return arrayEntry("BtnEdit", index); };
    const auto menu = [](const char *name, int index) { return arrayEntry(name, index); };
    if (row == ToolbarRow::Main) {
        std::vector<ToolbarButtonRow> rows = {
            {file(0), 120, 345, QStringLiteral("New "), QStringLiteral("Create a new HTML document using default template"),
             {}, [](MainWindow &main) { newDocumentFromTemplate(main, prefs().Template); }, false},
            {file(1), 465, 345, QStringLiteral("Open "), QStringLiteral("Open an existing HTML document or text file"),
             QStringLiteral("mnuFOpen"), {}, false},
            {file(2), 810, 345, QStringLiteral("Save "), QStringLiteral("Save current document to disk"),
             QStringLiteral("mnuFSave")},
            {file(3), 1155, 345, QStringLiteral("Erase "), QStringLiteral("Delete a document from the disk"),
             QStringLiteral("mnuFileDel"), {}, false, true, QStringLiteral("mnuDeleteFile")},
            {file(4), 1500, 345, QStringLiteral("Print"), QStringLiteral("Print active document"), QStringLiteral("mnuPrint")},
            {edit(0), 2190, 345, QStringLiteral("Cut "), QStringLiteral("Delete selected text and place it on the clipboard"),
             QStringLiteral("mnuECut"), {}, true, true, {}, true},
            {edit(1), 2550, 345, QStringLiteral("Copy "), QStringLiteral("Copy selected to the clipboard"),
             QStringLiteral("mnuECopy"), {}, true, true, {}, true},
            {edit(2), 2880, 345, QStringLiteral("Paste"), QStringLiteral("Paste clipboard text into the document"),
             QStringLiteral("mnuEPaste")},
            {edit(3), 3225, 345, QStringLiteral("Delete"), QStringLiteral("Delete selected text"), QStringLiteral("mnuEDelete")},
            {QStringLiteral("BtnSearch"), 3775, 375, QStringLiteral("Search"), QStringLiteral("Find specified text in this document"),
             QStringLiteral("mnuSFind"), {}, true, false},
        };
        const QString styles[][3] = {
            {"TextB", "Bold ", "BOLD"}, {"TextI", "Italic", "ITALIC"}, {"TextS", "Strikethrough", "STRIKETHROUGH"},
            {"TextTT", "Typewriter", "TYPEWRITER TEXT"}, {"Underline", "Underline", "UNDERLINE"},
            {"PreFormat", "Preformatted", "PREFORMATTED TEXT"}};
        for (int i = 0; i < 6; ++i) {
            rows.push_back({styles[i][0], 4440 + 345 * i, 345, styles[i][1],
                            QStringLiteral("Insert %1 tags around selected text").arg(styles[i][2]), menu("mnuTextStyle", i)});
        }
        rows.insert(rows.end(), {
            {arrayEntry("BtnWhiteSpace", 0), 6840, 345, QStringLiteral("Newline"), QStringLiteral("Insert a line break at the cursor"),
             menu("mnuInsert", 0)},
            {arrayEntry("BtnWhiteSpace", 1), 7185, 345, QStringLiteral("Paragraph"),
             QStringLiteral("Begin a new paragraph at the cursor"), menu("mnuInsert", 1)},
            {arrayEntry("BtnWhiteSpace", 2), 7530, 345, QStringLiteral("Horizontal Rule"),
             QStringLiteral("Insert a horizontal rule at the cursor"), menu("mnuInsert", 2)},
            {QStringLiteral("BtnPreview"), 8220, 345, QStringLiteral("Preview"), QStringLiteral("Launch browser to view HTML document"),
             QStringLiteral("mnuDocPreview"), {}, true, false},
            {QStringLiteral("BtnConfigure"), 8565, 345, QStringLiteral("Configure"), QStringLiteral("Configure Vornel preferences"),
             menu("mnuPreferences", 0), {}, false, false, QStringLiteral("PrefMenu")},
        });
        return rows;
    }

    const auto anchor = [](int index) { return arrayEntry("btnAnchor", index); };
    const auto list = [](int index) { return arrayEntry("btnList", index); };
    const auto entityHint = [](const QString &character) {
        return QStringLiteral("Insert sequence for the \"") + character + QStringLiteral("\" character");
    };
    std::vector<ToolbarButtonRow> rows = {
        {anchor(0), 120, 345, QStringLiteral("Anchor"), QStringLiteral("Create a reference anchor at this location"),
         menu("mnuInsert", 5)},
        {anchor(1), 465, 345, QStringLiteral("Jump"), QStringLiteral("Create a jump to an anchor location"), menu("mnuInsert", 6)},
        {anchor(2), 810, 345, QStringLiteral("Hyperlink"), QStringLiteral("Create a jump or link to another document"),
         menu("mnuInsert", 7)},
        {anchor(3), 1155, 345, QStringLiteral("Mailto "), QStringLiteral("Create a MAILTO reference at this location"),
         {}, onText(toolbarMailLink)},
        {anchor(4), 1500, 345, QStringLiteral("Inline Image"), QStringLiteral("Insert an inline image"), menu("mnuInsert", 4)},
        {QStringLiteral("Command2"), 2190, 345, QStringLiteral("Special character <"), entityHint(QStringLiteral("<")),
         menu("mnuInsert", 12)},
        {QStringLiteral("Command1"), 2535, 345, QStringLiteral("Special character >"), entityHint(QStringLiteral(">")),
         menu("mnuInsert", 13)},
        {QStringLiteral("Command3"), 2880, 345, QStringLiteral("Special character &"), entityHint(QStringLiteral("&&")),
         menu("mnuInsert", 11)},
        {QStringLiteral("Command4"), 3225, 345, QStringLiteral("Special character \""),
         QStringLiteral("Insert sequence for the \" character"), menu("mnuInsert", 14)},
        {QStringLiteral("Command5"), 3570, 570, QStringLiteral("Non-Breaking Space"),
         QStringLiteral("Insert sequence for a non-breaking space"), menu("mnuInsert", 15)},
    };
    for (int n = 1; n <= 6; ++n) {
        rows.push_back({arrayEntry("btnH", n), 4440 + 345 * (n - 1), 345, QStringLiteral("Level %1 Heading").arg(n),
                        QStringLiteral("Configure selected text as a HEADING type %1").arg(n), menu("mnuHead", n)});
    }
    const QStringList listItem{QStringLiteral("LI")};
    rows.insert(rows.end(), {
        {list(2), 6840, 345, QStringLiteral("Ordered List"), QStringLiteral("Create an ordered list at the cursor"), {},
         listButton([](Workspace &, TextArea &area) { convertSelectionToList(area, QStringLiteral("OL")); },
                    tagsAtCaret(listSkeletonTags(QStringLiteral("OL"))))},
        {list(3), 7185, 345, QStringLiteral("ListAssist"), QStringLiteral("Create a list at the cursor"), {},
         onText(listAssistCommand)},
        {list(5), 7530, 345, QStringLiteral("GIF List "), QStringLiteral("Add a custom list item using defined custom bullet"),
         {}, listButton(imageItemOfSelection, imageItemAtCaret)},
        {list(4), 7875, 345, QStringLiteral("List Item"), QStringLiteral("Add a list item at the cursor"), {},
         listButton(tagsAtCaret(listItem), tagsAtCaret(listItem))},
        {list(0), 8220, 345, QStringLiteral("New Descriptive List"), QStringLiteral("Create a descriptive list at the cursor"),
         {}, listButton({}, tagsAtCaret({QStringLiteral("DL"), QStringLiteral("DT"), QStringLiteral("DD"), QStringLiteral("/DL")}))},
        {list(1), 8565, 345, QStringLiteral("Descriptive List Item"),
         QStringLiteral("Add descriptive list data item at the cursor"), {},
         listButton({}, tagsAtCaret({QStringLiteral("DT"), QStringLiteral("DD")}))},
    });
    return rows;
}

} // namespace vornel
