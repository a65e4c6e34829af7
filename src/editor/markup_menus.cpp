#include "editor/markup_menus.h"

#include "app/main_window.h"
#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/list_conversion.h"
#include "editor/menu_table.h"
#include "editor/text_area.h"
#include "platform/platform.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>

#include <algorithm>

namespace vornel {

namespace {

enum class Operation { None, Inline, Block };

// One entry of a tag menu: the tag goes to the operation; a null caption is a separator.
struct TagEntry {
    const char *caption;
    QKeyCombination shortcut;
    const char *tag;
    Operation operation;
};

constexpr QKeyCombination noKey = QKeyCombination::fromCombined(0);

const TagEntry textStyles[] = {
    {"&Bold", Qt::CTRL | Qt::Key_B, "B", Operation::Inline},
    {"&Italic", Qt::CTRL | Qt::Key_I, "I", Operation::Inline},
    {"Strikethrou&gh", Qt::CTRL | Qt::Key_K, "STRIKE", Operation::Inline},
    {"&Typewriter", Qt::CTRL | Qt::Key_T, "TT", Operation::Inline},
    {"&Underline", Qt::CTRL | Qt::Key_U, "U", Operation::Inline},
    {"&Preformatted ", Qt::CTRL | Qt::Key_F, "PRE", Operation::Inline},
    {"Pref., &No Tags", noKey, "XMP", Operation::Inline},
    {"Plainte&xt", noKey, "PLAINTEXT", Operation::Block},
    {nullptr, noKey, nullptr, Operation::None},
    {"&Address", noKey, "ADDRESS", Operation::Inline},
    {"Block &Quote", noKey, "BLOCKQUOTE", Operation::Inline},
    {"&Citation", noKey, "CITE", Operation::Inline},
    {"C&ode", noKey, "CODE", Operation::Inline},
    {"&Definition", noKey, "DFN", Operation::Inline},
    {"&Emphasized", noKey, "EM", Operation::Inline},
    {"&Keyboard", noKey, "KBD", Operation::Inline},
    {"Key&word", noKey, "KEY", Operation::Inline},
    {"&Listing", noKey, "LISTING", Operation::Inline},
    {"&Sample", noKey, "SAMP", Operation::Inline},
    {"St&rong", noKey, "STRONG", Operation::Inline},
    {"&Variable", noKey, "VAR", Operation::Inline},
};

const TagEntry justify[] = {
    {nullptr, noKey, nullptr, Operation::None},
    {"Right &Justified", noKey, "RIGHT", Operation::Inline},
    {"&Centered", noKey, "CENTER", Operation::Inline},
    {"&Subscript", noKey, "SUB", Operation::Inline},
    {"Su&perscript", noKey, "SUP", Operation::Inline},
    {nullptr, noKey, nullptr, Operation::None},
};

// A table element: the start tag goes in front of the selection, the end text right behind it.
struct ElementEntry {
    const char *caption;
    const char *startTag;
};

const ElementEntry tableFrames[] = {
    {"With &Border", "TABLE BORDER"},
    {"&No Border", "TABLE"},
};

// The header and data cells share their alignment choices.
const ElementEntry cellAlignments[] = {
    {"&Centered", "ALIGN=\"CENTER\""},
    {"&Left Align", "ALIGN=\"LEFT\""},
    {"&Right Align", "ALIGN=\"RIGHT\""},
    {"&No Wrap", "NOWRAP"},
};

const QString noteOnTables = QStringLiteral(
    "Tables are part of the 3.0 spcification, so all browsers do not support tables. If a viewer is "
    "unable to interpret the table markups, surfers may see something like:\r\n\r\n"
    "Heading1 Heading2 Row1Cell1 Row1Cell2 Row2Cell1 Row2Cell2 Row3Cell1 Row3Cell2\r\n\r\n"
    "All of the cell entries will run together.");

void runTag(TextArea &area, const TagEntry &entry)
{
    const QString tag = QString::fromLatin1(entry.tag);
    switch (entry.operation) {
    case Operation::Inline: insertInlineTag(area, tag, true); break;
    case Operation::Block: insertBlockTag(area, tag, false); break;
    case Operation::None: break;
    }
}

// The start tag in front of the selection and endText behind it, one undo step; the caret
// ends after endText.
void insertElement(TextArea &area, const QString &startTag, const QString &endText)
{
    area.beginEditGroup();
    insertInlineTag(area, startTag, false);
    area.setSelText(area.selText() + endText);
    area.endEditGroup();
}

void addTagEntries(QMenu *menu, const QString &controlName, const TagEntry *entries, int count,
                   DocumentWindow &window)
{
    for (int i = 0; i < count; ++i) {
        const TagEntry &entry = entries[i];
        const QKeySequence shortcut = entry.shortcut.toCombined() != 0 ? QKeySequence(entry.shortcut) : QKeySequence();
        MenuEntry menuEntry{arrayName(controlName, i), entry.caption ? QString::fromLatin1(entry.caption) : QString(),
                            shortcut, {}};
        if (entry.operation != Operation::None) {
            TextArea *area = window.textArea();
            menuEntry.run = [area, &entry] { runTag(*area, entry); };
        }
        // Shortcuts belong to the window, so they work while the focus is in its text area.
        addMenuEntry(menu, menuEntry, &window, &window);
    }
}

// A submenu entry of a control array: the entry is named after its place in the array, the
// submenu after the array it holds.
QMenu *addSubmenu(QMenu *menu, const QString &entryName, const QString &caption, const QString &menuName)
{
    QMenu *sub = menu->addMenu(caption);
    sub->setObjectName(menuName);
    sub->menuAction()->setObjectName(entryName);
    return sub;
}

void addCellSubmenu(QMenu *special, int tableIndex, const QString &caption, const QString &controlName,
                    const QString &cellTag, DocumentWindow &window)
{
    QMenu *cells = addSubmenu(special, arrayName(QStringLiteral("mnutable"), tableIndex), caption, controlName);
    TextArea *area = window.textArea();
    for (int i = 0; i < 4; ++i) {
        const QString startTag = cellTag + QLatin1Char(' ') + QString::fromLatin1(cellAlignments[i].startTag);
        const QString endTag = QStringLiteral("</") + cellTag + QLatin1Char('>');
        addMenuEntry(cells,
                     {arrayName(controlName, i), QString::fromLatin1(cellAlignments[i].caption), {},
                      [area, startTag, endTag] { insertElement(*area, startTag, endTag); }},
                     &window);
    }
}

void addStyleEntries(DocumentWindow &window)
{
    QMenu *styles = window.menu(QStringLiteral("mnuStyles"));
    if (!styles)
        return;
    addTagEntries(styles, QStringLiteral("mnuTextStyle"), textStyles, int(std::size(textStyles)), window);
}

void addInsertMenu(DocumentWindow &window)
{
    auto *insert = new QMenu(QObject::tr("&Insert"), &window);
    insert->setObjectName(QStringLiteral("mnuInsert"));
    // The list assistant's "&ListAssist" heads the Lists submenu; mnuInsert(0..15), MnuAscii
    // and mnuComment follow the submenu.
    QMenu *lists = insert->addMenu(QObject::tr("&Lists"));
    lists->setObjectName(QStringLiteral("mnuLists"));
    TextArea *area = window.textArea();
    for (int i = 0; i < int(listMenuEntries.size()); ++i) {
        const ListMenuEntry &entry = listMenuEntries[std::size_t(i)];
        MenuEntry menuEntry{arrayName(QStringLiteral("mnuList"), i),
                            entry.isSeparator() ? QString() : QString(entry.caption), {}, {}};
        if (!entry.isSeparator())
            menuEntry.run = [area, i] { listCommand(*area, i); };
        addMenuEntry(lists, menuEntry, &window);
    }
    window.insertMenu(insert);
}

void addSpecialMenu(DocumentWindow &window)
{
    auto *special = new QMenu(QObject::tr("S&pecial"), &window);
    special->setObjectName(QStringLiteral("mnuSpecial"));
    TextArea *area = window.textArea();

    // The entities mnuSpecial(0..2), mnuDateTime and mnuGoHome come first, in front of
    // mnuJustify(0).
    addTagEntries(special, QStringLiteral("mnuJustify"), justify, int(std::size(justify)), window);

    addMenuEntry(special, {arrayName(QStringLiteral("mnutable"), 0), QObject::tr("&Note on Tables"), {}, [] {
                               platform().messageBox(QStringLiteral("HTML 3.0 Tags"), noteOnTables, MsgButtons::Ok,
                                                     MsgIcon::Information);
                           }},
                 &window);
    addMenuEntry(special,
                 {arrayName(QStringLiteral("mnutable"), 1), QObject::tr("&Build Table..."), {},
                  [] {
                      platform().messageBox(MainWindow::kCaption, QStringLiteral("popup box to build entire table"),
                                            MsgButtons::Ok, MsgIcon::None);
                  },
                  false},
                 &window);

    QMenu *frames = addSubmenu(special, arrayName(QStringLiteral("mnutable"), 2), QObject::tr("Start &Table"),
                               QStringLiteral("mnuTableBorder"));
    for (int i = 0; i < int(std::size(tableFrames)); ++i) {
        const QString startTag = QString::fromLatin1(tableFrames[i].startTag);
        // An empty line is left inside the table for its rows.
        addMenuEntry(frames,
                     {arrayName(QStringLiteral("mnuTableBorder"), i), QString::fromLatin1(tableFrames[i].caption), {},
                      [area, startTag] { insertElement(*area, startTag, QStringLiteral("\r\n\r\n</TABLE>")); }},
                     &window);
    }

    addCellSubmenu(special, 3, QObject::tr("Table &Heading"), QStringLiteral("mnuHeadingXTRA"), QStringLiteral("TH"),
                   window);
    addMenuEntry(special, {arrayName(QStringLiteral("mnutable"), 4), QObject::tr("New Ro&w"), {},
                           [area] { insertBlockTag(*area, QStringLiteral("TR"), false); }},
                 &window);
    addCellSubmenu(special, 5, QObject::tr("Cell &Entry"), QStringLiteral("mnuCellXTRA"), QStringLiteral("TD"), window);

    window.insertMenu(special);
}

} // namespace

void addMarkupMenus(DocumentWindow &window)
{
    addStyleEntries(window);
    addInsertMenu(window);
    addSpecialMenu(window);
}

void listCommand(TextArea &area, int index)
{
    const int start = area.selStart();
    const int length = area.selLength();

    // The conversion works on a copy of the text and keeps the window painting. User input
    // waits until it is done, so nothing can change the document under it; should anything
    // else change it meanwhile, the result no longer fits and is dropped.
    QPointer<TextArea> alive(&area);
    bool changed = false;
    const QMetaObject::Connection watch =
        QObject::connect(&area, &TextArea::textEdited, &area, [&changed] { changed = true; });
    const ListYield yield{[] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }, 25};
    // Only the selection and the two characters before it matter (the line-start test of a
    // block tag), so the rest of a long document is not copied.
    const int before = std::min(start, 2);
    const QString excerpt = area.textRange(start - before, before) + area.selText();
    const std::optional<SelectionReplacement> result = listMenuCommand(index, excerpt, before, length, yield);
    if (!alive)
        return;
    QObject::disconnect(watch);
    if (!result || changed || area.selStart() != start || area.selLength() != length)
        return;

    area.beginEditGroup();
    area.replaceRange(start, length, result->text);
    area.setSelStart(start + int(result->caretOffset));
    area.endEditGroup();
}

} // namespace vornel
