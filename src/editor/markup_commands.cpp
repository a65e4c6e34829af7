#include "editor/markup_commands.h"

#include "editor/document_window.h"
#include "editor/insert_commands.h"
#include "editor/insertion.h"
#include "editor/list_conversion.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "platform/version.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

namespace vornel {

namespace {

const QString noteOnTables = QStringLiteral(
    "Tables are part of the 3.0 spcification, so all browsers do not support tables. If a viewer is "
    "unable to interpret the table markups, surfers may see something like:\r\n\r\n"
    "Heading1 Heading2 Row1Cell1 Row1Cell2 Row2Cell1 Row2Cell2 Row3Cell1 Row3Cell2\r\n\r\n"
    "All of the cell entries will run together.");

CommandRow submenuRow(const QString &name, const QString &caption, const QString &submenuName,
                      std::vector<CommandRow> rows)
{
    return {.name = name, .caption = caption, .submenuName = submenuName, .submenu = std::move(rows)};
}

// A table cell submenu: one entry per alignment, header and data cells alike.
std::vector<CommandRow> cellRows(const QString &cellTag)
{
    const QString end = QStringLiteral("</") + cellTag + QLatin1Char('>');
    const auto cell = [&](const char *caption, const char *attributes) {
        return elementRow(caption, cellTag + QLatin1Char(' ') + QLatin1String(attributes), end);
    };
    return {
        cell("&Centered", "ALIGN=\"CENTER\""),
        cell("&Left Align", "ALIGN=\"LEFT\""),
        cell("&Right Align", "ALIGN=\"RIGHT\""),
        cell("&No Wrap", "NOWRAP"),
    };
}

} // namespace

CommandRow inlineTagRow(const char *caption, const char *tag, QKeyCombination shortcut)
{
    const QString name = QString::fromLatin1(tag);
    return {{}, QString::fromLatin1(caption), shortcut.toCombined() ? QKeySequence(shortcut) : QKeySequence(),
            editCommand([name](TextEdit &area) { insertInlineTag(area, name, true); })};
}

CommandRow blockTagRow(const char *caption, const char *tag, bool closeTag)
{
    const QString name = QString::fromLatin1(tag);
    return {{}, QString::fromLatin1(caption), {},
            editCommand([name, closeTag](TextEdit &area) { insertBlockTag(area, name, closeTag); })};
}

CommandRow elementRow(const char *caption, const QString &startTag, const QString &endText)
{
    return {{}, QString::fromLatin1(caption), {},
            editCommand([startTag, endText](TextEdit &area) { insertElement(area, startTag, endText); })};
}

CommandRow beforeSelectionRow(const char *caption, const char *text)
{
    const QString markup = QString::fromLatin1(text);
    return {{}, QString::fromLatin1(caption), {},
            editCommand([markup](TextEdit &area) { insertBeforeSelection(area, markup); })};
}

CommandRow separatorRow()
{
    return {};
}

std::vector<CommandRow> controlArray(const QString &name, std::vector<CommandRow> rows)
{
    for (int i = 0; i < int(rows.size()); ++i)
        rows[std::size_t(i)].name = arrayName(name, i);
    return rows;
}

std::vector<CommandRow> documentTagRows()
{
    return controlArray(QStringLiteral("mnuDoc"), {
        blockTagRow("HT&ML", "HTML", true),
        blockTagRow("&Head", "HEAD", true),
        blockTagRow("&Isindex", "ISINDEX", false),
        blockTagRow("&Title", "TITLE", true),
        blockTagRow("&Body", "BODY", true),
    });
}

std::vector<CommandRow> styleRows()
{
    std::vector<CommandRow> headings;
    for (int level = 1; level <= 6; ++level) {
        // The keys are shown as text: the document window answers Ctrl+1..6 itself.
        headings.push_back({arrayName(QStringLiteral("mnuHead"), level),
                            QStringLiteral("Heading &%1    Ctrl+%1").arg(level), {},
                            documentCommand([level](Workspace &, DocumentWindow &window) { window.insertHeading(level); })});
    }
    std::vector<CommandRow> rows{submenuRow(QString(), QObject::tr("&Headings"), QStringLiteral("mnuHeadings"), headings)};
    const std::vector<CommandRow> textStyles = controlArray(QStringLiteral("mnuTextStyle"), {
        inlineTagRow("&Bold", "B", Qt::CTRL | Qt::Key_B),
        inlineTagRow("&Italic", "I", Qt::CTRL | Qt::Key_I),
        inlineTagRow("Strikethrou&gh", "STRIKE", Qt::CTRL | Qt::Key_K),
        inlineTagRow("&Typewriter", "TT", Qt::CTRL | Qt::Key_T),
        inlineTagRow("&Underline", "U", Qt::CTRL | Qt::Key_U),
        inlineTagRow("&Preformatted ", "PRE", Qt::CTRL | Qt::Key_F),
        inlineTagRow("Pref., &No Tags", "XMP"),
        blockTagRow("Plainte&xt", "PLAINTEXT", false),
        separatorRow(),
        inlineTagRow("&Address", "ADDRESS"),
        inlineTagRow("Block &Quote", "BLOCKQUOTE"),
        inlineTagRow("&Citation", "CITE"),
        inlineTagRow("C&ode", "CODE"),
        inlineTagRow("&Definition", "DFN"),
        inlineTagRow("&Emphasized", "EM"),
        inlineTagRow("&Keyboard", "KBD"),
        inlineTagRow("Key&word", "KEY"),
        inlineTagRow("&Listing", "LISTING"),
        inlineTagRow("&Sample", "SAMP"),
        inlineTagRow("St&rong", "STRONG"),
        inlineTagRow("&Variable", "VAR"),
    });
    rows.insert(rows.end(), textStyles.begin(), textStyles.end());
    return rows;
}

std::vector<CommandRow> insertRows(const CommandOperation &listAssist, const CommandOperation &image,
                                   const CommandOperation &documentLink)
{
    std::vector<CommandRow> lists;
    for (int i = 0; i < int(listMenuEntries.size()); ++i) {
        const ListMenuEntry &entry = listMenuEntries[std::size_t(i)];
        lists.push_back(entry.isSeparator() ? separatorRow()
                                            : CommandRow{{}, QString(entry.caption), {},
                                                         textCommand([i](TextArea &area) { listCommand(area, i); })});
    }
    const auto prompted = [](const char *caption, void (*command)(TextEdit &)) {
        return CommandRow{{}, QString::fromLatin1(caption), {}, editCommand(command)};
    };
    CommandRow isindex = beforeSelectionRow("Isinde&x", "<ISINDEX>");
    isindex.visible = false;
    std::vector<CommandRow> listRows{{QStringLiteral("mnuListAssist"), QString(listAssistCaption), {}, listAssist}};
    for (CommandRow &row : controlArray(QStringLiteral("mnuList"), lists))
        listRows.push_back(std::move(row));
    std::vector<CommandRow> rows{submenuRow(QString(), QObject::tr("&Lists"), QStringLiteral("mnuLists"), listRows)};
    const std::vector<CommandRow> elements = controlArray(QStringLiteral("mnuInsert"), {
        blockTagRow("&New Line", "BR", false),
        blockTagRow("Para&graph", "P", false),
        blockTagRow("&Horizontal Rule", "HR", false),
        separatorRow(),
        {{}, QObject::tr("&Inline Image..."), {}, image},
        prompted("Name/&Anchor...", namedAnchorCommand),
        prompted("&Jump to an anchor...", anchorLinkCommand),
        {{}, QObject::tr("Link to a &URL..."), {}, documentLink},
        prompted("Mail&to...", mailLinkCommand),
        isindex,
        separatorRow(),
        beforeSelectionRow("Am&perstand", "&amp;"),
        beforeSelectionRow("&< Less Than", "&lt;"),
        beforeSelectionRow("&> Greater Than", "&gt;"),
        beforeSelectionRow("&\" Double Quotes", "&quot;"),
        beforeSelectionRow("Non-breaking &Space", "&nbsp;"),
    });
    rows.insert(rows.end(), elements.begin(), elements.end());
    rows.push_back(separatorRow());
    rows.push_back({QStringLiteral("MnuAscii"), QObject::tr("AS&CII Characters..."), {},
                    editCommand(characterReferenceCommand)});
    rows.push_back({QStringLiteral("mnuComment"), QObject::tr("Co&mment..."), {}, editCommand(commentCommand)});
    return rows;
}

std::vector<CommandRow> specialRows(const CommandOperation &dateTime)
{
    std::vector<CommandRow> rows = controlArray(QStringLiteral("mnuSpecial"), {
        beforeSelectionRow("&Registered", "&reg;"),
        beforeSelectionRow("Trade&mark", "&trade;"),
        beforeSelectionRow("Cop&yright", "&copy;"),
    });
    rows.push_back({QStringLiteral("mnuDateTime"), QObject::tr("&Date/Time..."), {}, dateTime});
    rows.push_back({QStringLiteral("mnuGoHome"), QObject::tr("&Goto Homepage"), {}, editCommand(homePageLinkCommand)});
    const std::vector<CommandRow> alignment = controlArray(QStringLiteral("mnuJustify"), {
        separatorRow(),
        inlineTagRow("Right &Justified", "RIGHT"),
        inlineTagRow("&Centered", "CENTER"),
        inlineTagRow("&Subscript", "SUB"),
        inlineTagRow("Su&perscript", "SUP"),
        separatorRow(),
    });
    rows.insert(rows.end(), alignment.begin(), alignment.end());
    // An empty line is left inside a new table for its rows.
    const QString tableEnd = QStringLiteral("\r\n\r\n</TABLE>");
    const CommandOperation showNote = workspaceCommand([](Workspace &) {
        platform().messageBox(QStringLiteral("HTML 3.0 Tags"), noteOnTables, MsgButtons::Ok, MsgIcon::Information);
    });
    const CommandOperation buildTable = workspaceCommand([](Workspace &) {
        platform().messageBox(kProductName, QStringLiteral("popup box to build entire table"), MsgButtons::Ok,
                              MsgIcon::None);
    });
    const std::vector<CommandRow> tables = controlArray(QStringLiteral("mnutable"), {
        {{}, QObject::tr("&Note on Tables"), {}, showNote},
        {{}, QObject::tr("&Build Table..."), {}, buildTable, false},
        submenuRow({}, QObject::tr("Start &Table"), QStringLiteral("mnuTableBorder"),
                   controlArray(QStringLiteral("mnuTableBorder"), {
                       elementRow("With &Border", QStringLiteral("TABLE BORDER"), tableEnd),
                       elementRow("&No Border", QStringLiteral("TABLE"), tableEnd),
                   })),
        submenuRow({}, QObject::tr("Table &Heading"), QStringLiteral("mnuHeadingXTRA"),
                   controlArray(QStringLiteral("mnuHeadingXTRA"), cellRows(QStringLiteral("TH")))),
        blockTagRow("New Ro&w", "TR", false),
        submenuRow({}, QObject::tr("Cell &Entry"), QStringLiteral("mnuCellXTRA"),
                   controlArray(QStringLiteral("mnuCellXTRA"), cellRows(QStringLiteral("TD")))),
    });
    rows.insert(rows.end(), tables.begin(), tables.end());
    return rows;
}

namespace {

// A list command on a text area, worked out while the window keeps painting. User input
// waits until it is done, so nothing can change the document under it; should anything else
// change it meanwhile (or close it), the result no longer fits and is dropped.
void convertWhilePainting(TextArea &area, const std::function<std::optional<ListEdit>(const ListYield &)> &work)
{
    QPointer<TextArea> alive(&area);
    bool changed = false;
    const QMetaObject::Connection watch =
        QObject::connect(&area, &TextArea::textEdited, &area, [&changed] { changed = true; });
    const ListYield yield{[] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }, 25};
    const std::optional<ListEdit> edit = work(yield);
    if (!alive)
        return;
    QObject::disconnect(watch);
    if (edit && !changed)
        applyListEdit(area, *edit);
}

// The selection and the two characters before it (the line-start test of a block tag), so
// the rest of a long document is not copied.
struct Excerpt {
    int start;
    int length;
    int before;
    QString text;
};

Excerpt excerptOf(const TextEdit &edit)
{
    const int start = edit.selStart();
    const int length = edit.selLength();
    const int before = std::min(start, 2);
    return {start, length, before, edit.textRange(start - before, before + length)};
}

} // namespace

std::optional<ListEdit> listCommandEdit(const TextEdit &edit, int index, const ListYield &yield)
{
    const Excerpt e = excerptOf(edit);
    std::optional<SelectionReplacement> result = listMenuCommand(index, e.text, e.before, e.length, yield);
    if (!result)
        return std::nullopt;
    return ListEdit{e.start, e.length, std::move(*result)};
}

std::optional<ListEdit> listConversionEdit(const TextEdit &edit, const QString &kind, const ListYield &yield)
{
    const int start = edit.selStart();
    const int length = edit.selLength();
    std::optional<SelectionReplacement> result = listFromText(kind, edit.textRange(start, length), yield);
    if (!result)
        return std::nullopt;
    return ListEdit{start, length, std::move(*result)};
}

void applyListEdit(TextEdit &edit, const ListEdit &list)
{
    if (edit.selStart() != list.start || edit.selLength() != list.length)
        return;
    EditGroup group(edit);
    edit.replaceRange(list.start, list.length, list.result.text);
    edit.setSelStart(list.start + int(list.result.caretOffset));
}

void listCommand(TextArea &area, int index)
{
    convertWhilePainting(area, [&area, index](const ListYield &yield) { return listCommandEdit(area, index, yield); });
}

void convertSelectionToList(TextArea &area, const QString &kind)
{
    convertWhilePainting(area, [&area, &kind](const ListYield &yield) { return listConversionEdit(area, kind, yield); });
}

} // namespace vornel
