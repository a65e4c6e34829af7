#include "editor/markup_commands.h"

#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/list_conversion.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "platform/version.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <span>

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

// The document structure tags of the Document menu.
struct DocumentTag {
    const char *caption;
    const char *tag;
    bool closeTag;
};

const DocumentTag documentTags[] = {
    {"HT&ML", "HTML", true}, {"&Head", "HEAD", true}, {"&Isindex", "ISINDEX", false},
    {"&Title", "TITLE", true}, {"&Body", "BODY", true},
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

std::vector<CommandRow> tagRows(const QString &controlName, std::span<const TagEntry> entries)
{
    std::vector<CommandRow> rows;
    for (int i = 0; i < int(entries.size()); ++i) {
        const TagEntry &entry = entries[std::size_t(i)];
        CommandRow row{arrayName(controlName, i), entry.caption ? QString::fromLatin1(entry.caption) : QString(),
                       entry.shortcut.toCombined() != 0 ? QKeySequence(entry.shortcut) : QKeySequence(), {}};
        if (entry.operation != Operation::None)
            row.run = textCommand([&entry](TextArea &area) { runTag(area, entry); });
        rows.push_back(row);
    }
    return rows;
}

// A table cell submenu mnutable(tableIndex): one entry per alignment.
CommandRow cellRow(int tableIndex, const QString &caption, const QString &controlName, const QString &cellTag)
{
    CommandRow row{arrayName(QStringLiteral("mnutable"), tableIndex), caption, {}, {}};
    row.submenuName = controlName;
    for (int i = 0; i < int(std::size(cellAlignments)); ++i) {
        const QString startTag = cellTag + QLatin1Char(' ') + QString::fromLatin1(cellAlignments[i].startTag);
        const QString endTag = QStringLiteral("</") + cellTag + QLatin1Char('>');
        row.submenu.push_back({arrayName(controlName, i), QString::fromLatin1(cellAlignments[i].caption), {},
                               textCommand([startTag, endTag](TextArea &area) { insertElement(area, startTag, endTag); })});
    }
    return row;
}

} // namespace

std::vector<CommandRow> documentTagRows()
{
    std::vector<CommandRow> rows;
    for (int i = 0; i < int(std::size(documentTags)); ++i) {
        const DocumentTag &t = documentTags[i];
        rows.push_back({arrayName(QStringLiteral("mnuDoc"), i), QString::fromLatin1(t.caption), {},
                        textCommand([t](TextArea &area) { insertBlockTag(area, QString::fromLatin1(t.tag), t.closeTag); })});
    }
    return rows;
}

std::vector<CommandRow> styleRows()
{
    CommandRow headings{QString(), QObject::tr("&Headings"), {}, {}};
    headings.submenuName = QStringLiteral("mnuHeadings");
    for (int level = 1; level <= 6; ++level) {
        // The keys are shown as text: the document window answers Ctrl+1..6 itself.
        headings.submenu.push_back({arrayName(QStringLiteral("mnuHead"), level),
                                    QStringLiteral("Heading &%1    Ctrl+%1").arg(level), {},
                                    documentCommand([level](Workspace &, DocumentWindow &window) {
                                        window.insertHeading(level);
                                    })});
    }
    std::vector<CommandRow> rows{headings};
    for (CommandRow &row : tagRows(QStringLiteral("mnuTextStyle"), textStyles))
        rows.push_back(std::move(row));
    return rows;
}

std::vector<CommandRow> insertRows()
{
    // The list assistant's "&ListAssist" heads the Lists submenu; mnuInsert(0..15), MnuAscii
    // and mnuComment follow the submenu.
    CommandRow lists{QString(), QObject::tr("&Lists"), {}, {}};
    lists.submenuName = QStringLiteral("mnuLists");
    for (int i = 0; i < int(listMenuEntries.size()); ++i) {
        const ListMenuEntry &entry = listMenuEntries[std::size_t(i)];
        CommandRow row{arrayName(QStringLiteral("mnuList"), i), entry.isSeparator() ? QString() : QString(entry.caption),
                       {}, {}};
        if (!entry.isSeparator())
            row.run = textCommand([i](TextArea &area) { listCommand(area, i); });
        lists.submenu.push_back(row);
    }
    return {lists};
}

std::vector<CommandRow> specialRows()
{
    // The entities mnuSpecial(0..2), mnuDateTime and mnuGoHome come first, in front of
    // mnuJustify(0).
    std::vector<CommandRow> rows = tagRows(QStringLiteral("mnuJustify"), justify);

    rows.push_back({arrayName(QStringLiteral("mnutable"), 0), QObject::tr("&Note on Tables"), {},
                    workspaceCommand([](Workspace &) {
                        platform().messageBox(QStringLiteral("HTML 3.0 Tags"), noteOnTables, MsgButtons::Ok,
                                              MsgIcon::Information);
                    })});
    rows.push_back({arrayName(QStringLiteral("mnutable"), 1), QObject::tr("&Build Table..."), {},
                    workspaceCommand([](Workspace &) {
                        platform().messageBox(kProductName, QStringLiteral("popup box to build entire table"),
                                              MsgButtons::Ok, MsgIcon::None);
                    }),
                    false});

    CommandRow frames{arrayName(QStringLiteral("mnutable"), 2), QObject::tr("Start &Table"), {}, {}};
    frames.submenuName = QStringLiteral("mnuTableBorder");
    for (int i = 0; i < int(std::size(tableFrames)); ++i) {
        const QString startTag = QString::fromLatin1(tableFrames[i].startTag);
        // An empty line is left inside the table for its rows.
        frames.submenu.push_back({arrayName(QStringLiteral("mnuTableBorder"), i),
                                  QString::fromLatin1(tableFrames[i].caption), {}, textCommand([startTag](TextArea &area) {
                                      insertElement(area, startTag, QStringLiteral("\r\n\r\n</TABLE>"));
                                  })});
    }
    rows.push_back(frames);

    rows.push_back(cellRow(3, QObject::tr("Table &Heading"), QStringLiteral("mnuHeadingXTRA"), QStringLiteral("TH")));
    rows.push_back({arrayName(QStringLiteral("mnutable"), 4), QObject::tr("New Ro&w"), {},
                    textCommand([](TextArea &area) { insertBlockTag(area, QStringLiteral("TR"), false); })});
    rows.push_back(cellRow(5, QObject::tr("Cell &Entry"), QStringLiteral("mnuCellXTRA"), QStringLiteral("TD")));
    return rows;
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
