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

Run onDocument(std::function<void(Workspace &, DocumentWindow &)> command)
{
    return [command = std::move(command)](MainWindow &main) {
        if (DocumentWindow *document = main.activeDocument())
            command(main, *document);
    };
}

Run inlineTag(const QString &tag)
{
    return onText([tag](Workspace &, TextArea &area) { insertInlineTag(area, tag, true); });
}

// The block tags at the caret, as a text command.
std::function<void(Workspace &, TextArea &)> tagsAtCaret(QStringList tags, bool closeTag = false)
{
    return [tags = std::move(tags), closeTag](Workspace &, TextArea &area) { insertBlockTags(area, tags, closeTag); };
}

Run blockTags(QStringList tags, bool closeTag = false)
{
    return onText(tagsAtCaret(std::move(tags), closeTag));
}

Run beforeSelection(const QString &text)
{
    return onText([text](Workspace &, TextArea &area) { insertBeforeSelection(area, text); });
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
    const auto text = [](void (TextArea::*command)(), bool needsSelection) {
        return onText([command, needsSelection](Workspace &, TextArea &area) {
            if (!needsSelection || area.selLength() > 0)
                (area.*command)();
        });
    };
    if (row == ToolbarRow::Main) {
        return {
            {file(0), 120, 345, QStringLiteral("New "), QStringLiteral("Create a new HTML document using default template"),
             [](MainWindow &main) { newDocumentFromTemplate(main, prefs().Template); }, false},
            {file(1), 465, 345, QStringLiteral("Open "), QStringLiteral("Open an existing HTML document or text file"),
             [](MainWindow &main) { openCommand(main); }, false},
            {file(2), 810, 345, QStringLiteral("Save "), QStringLiteral("Save current document to disk"),
             onDocument(saveCommand)},
            {file(3), 1155, 345, QStringLiteral("Erase "), QStringLiteral("Delete a document from the disk"),
             [](MainWindow &main) { deleteFileCommand(main); }, false},
            {file(4), 1500, 345, QStringLiteral("Print"), QStringLiteral("Print active document"),
             [](MainWindow &main) { printCommand(main); }},
            {edit(0), 2190, 345, QStringLiteral("Cut "), QStringLiteral("Delete selected text and place it on the clipboard"),
             text(&TextArea::cutToClipboard, true)},
            {edit(1), 2550, 345, QStringLiteral("Copy "), QStringLiteral("Copy selected to the clipboard"),
             text(&TextArea::copyToClipboard, true)},
            {edit(2), 2880, 345, QStringLiteral("Paste"), QStringLiteral("Paste clipboard text into the document"),
             text(&TextArea::pasteFromClipboard, false)},
            {edit(3), 3225, 345, QStringLiteral("Delete"), QStringLiteral("Delete selected text"),
             onDocument([](Workspace &, DocumentWindow &document) { document.editDelete(); })},
            {QStringLiteral("BtnSearch"), 3775, 375, QStringLiteral("Search"), QStringLiteral("Find specified text in this document"),
             onText(openFindDialog), true, false},
            {QStringLiteral("TextB"), 4440, 345, QStringLiteral("Bold "), QStringLiteral("Insert BOLD tags around selected text"),
             inlineTag(QStringLiteral("B"))},
            {QStringLiteral("TextI"), 4785, 345, QStringLiteral("Italic"), QStringLiteral("Insert ITALIC tags around selected text"),
             inlineTag(QStringLiteral("I"))},
            {QStringLiteral("TextS"), 5130, 345, QStringLiteral("Strikethrough"),
             QStringLiteral("Insert STRIKETHROUGH tags around selected text"), inlineTag(QStringLiteral("STRIKE"))},
            {QStringLiteral("TextTT"), 5475, 345, QStringLiteral("Typewriter"),
             QStringLiteral("Insert TYPEWRITER TEXT tags around selected text"), inlineTag(QStringLiteral("TT"))},
            {QStringLiteral("Underline"), 5820, 345, QStringLiteral("Underline"),
             QStringLiteral("Insert UNDERLINE tags around selected text"), inlineTag(QStringLiteral("U"))},
            {QStringLiteral("PreFormat"), 6165, 345, QStringLiteral("Preformatted"),
             QStringLiteral("Insert PREFORMATTED TEXT tags around selected text"), inlineTag(QStringLiteral("PRE"))},
            {arrayEntry("BtnWhiteSpace", 0), 6840, 345, QStringLiteral("Newline"), QStringLiteral("Insert a line break at the cursor"),
             blockTags({QStringLiteral("BR")})},
            {arrayEntry("BtnWhiteSpace", 1), 7185, 345, QStringLiteral("Paragraph"),
             QStringLiteral("Begin a new paragraph at the cursor"), blockTags({QStringLiteral("P")})},
            {arrayEntry("BtnWhiteSpace", 2), 7530, 345, QStringLiteral("Horizontal Rule"),
             QStringLiteral("Insert a horizontal rule at the cursor"), blockTags({QStringLiteral("HR")})},
            {QStringLiteral("BtnPreview"), 8220, 345, QStringLiteral("Preview"), QStringLiteral("Launch browser to view HTML document"),
             onDocument(previewCommand), true, false},
            {QStringLiteral("BtnConfigure"), 8565, 345, QStringLiteral("Configure"), QStringLiteral("Configure Vornel preferences"),
             [](MainWindow &main) { preferencesCommand(main); }, false, false},
        };
    }

    const auto anchor = [](int index) { return arrayEntry("btnAnchor", index); };
    const auto list = [](int index) { return arrayEntry("btnList", index); };
    const auto entityHint = [](const QString &character) {
        return QStringLiteral("Insert sequence for the \"") + character + QStringLiteral("\" character");
    };
    std::vector<ToolbarButtonRow> rows = {
        {anchor(0), 120, 345, QStringLiteral("Anchor"), QStringLiteral("Create a reference anchor at this location"),
         onText([](Workspace &, TextArea &area) { namedAnchorCommand(area); })},
        {anchor(1), 465, 345, QStringLiteral("Jump"), QStringLiteral("Create a jump to an anchor location"),
         onText([](Workspace &, TextArea &area) { anchorLinkCommand(area); })},
        {anchor(2), 810, 345, QStringLiteral("Hyperlink"), QStringLiteral("Create a jump or link to another document"),
         onText(documentLinkCommand)},
        {anchor(3), 1155, 345, QStringLiteral("Mailto "), QStringLiteral("Create a MAILTO reference at this location"),
         onText(toolbarMailLink)},
        {anchor(4), 1500, 345, QStringLiteral("Inline Image"), QStringLiteral("Insert an inline image"),
         onText(insertImageCommand)},
        {QStringLiteral("Command2"), 2190, 345, QStringLiteral("Special character <"), entityHint(QStringLiteral("<")),
         beforeSelection(QStringLiteral("&lt;"))},
        {QStringLiteral("Command1"), 2535, 345, QStringLiteral("Special character >"), entityHint(QStringLiteral(">")),
         beforeSelection(QStringLiteral("&gt;"))},
        {QStringLiteral("Command3"), 2880, 345, QStringLiteral("Special character &"), entityHint(QStringLiteral("&&")),
         beforeSelection(QStringLiteral("&amp;"))},
        {QStringLiteral("Command4"), 3225, 345, QStringLiteral("Special character \""),
         QStringLiteral("Insert sequence for the \" character"), beforeSelection(QStringLiteral("&quot;"))},
        {QStringLiteral("Command5"), 3570, 570, QStringLiteral("Non-Breaking Space"),
         QStringLiteral("Insert sequence for a non-breaking space"), beforeSelection(QStringLiteral("&nbsp;"))},
    };
    for (int n = 1; n <= 6; ++n) {
        rows.push_back({arrayEntry("btnH", n), 4440 + 345 * (n - 1), 345, QStringLiteral("Level %1 Heading").arg(n),
                        QStringLiteral("Configure selected text as a HEADING type %1").arg(n),
                        blockTags({QStringLiteral("H%1").arg(n)}, true)});
    }
    const QStringList listItem{QStringLiteral("LI")};
    rows.insert(rows.end(), {
        {list(2), 6840, 345, QStringLiteral("Ordered List"), QStringLiteral("Create an ordered list at the cursor"),
         listButton([](Workspace &, TextArea &area) { convertSelectionToList(area, QStringLiteral("OL")); },
                    tagsAtCaret(listSkeletonTags(QStringLiteral("OL"))))},
        {list(3), 7185, 345, QStringLiteral("ListAssist"), QStringLiteral("Create a list at the cursor"),
         onText(listAssistCommand)},
        {list(5), 7530, 345, QStringLiteral("GIF List "), QStringLiteral("Add a custom list item using defined custom bullet"),
         listButton(imageItemOfSelection, imageItemAtCaret)},
        {list(4), 7875, 345, QStringLiteral("List Item"), QStringLiteral("Add a list item at the cursor"),
         listButton(tagsAtCaret(listItem), tagsAtCaret(listItem))},
        {list(0), 8220, 345, QStringLiteral("New Descriptive List"), QStringLiteral("Create a descriptive list at the cursor"),
         listButton({}, tagsAtCaret({QStringLiteral("DL"), QStringLiteral("DT"), QStringLiteral("DD"), QStringLiteral("/DL")}))},
        {list(1), 8565, 345, QStringLiteral("Descriptive List Item"),
         QStringLiteral("Add descriptive list data item at the cursor"),
         listButton({}, tagsAtCaret({QStringLiteral("DT"), QStringLiteral("DD")}))},
    });
    return rows;
}

} // namespace vornel
