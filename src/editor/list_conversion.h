#pragma once

#include "editor/like_pattern.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>
#include <span>

namespace vornel {

// Lets the window process its events while a long conversion runs: the callback is called
// whenever at least intervalMs have passed since the last call (the clock is looked at every
// few dozen lines, not per character). The conversion works on its own copy of the text; the
// window keeps the document from being edited meanwhile, as assigning the result would undo
// such edits.
struct ListYield {
    std::function<void()> callback;
    int intervalMs = 25;
};

// A command's whole effect on the text area, assigned in one step: the selection is replaced
// by text, then the caret stands caretOffset characters after where the selection started,
// with nothing selected.
struct SelectionReplacement {
    QString text;
    qsizetype caretOffset = 0;
};

// Puts marker at the start of every non-empty line of s (a line starts after a CR) and tidies
// the line starts: leading blanks, "<BR>" and "<P>" go, and an "<LI>" there stays when the
// marker is "<LI>". Anywhere in s, an "<LI>" or an image bullet ("<BR><IMG ...>") gives way to
// the marker, and the marker itself, where it already stands, is left alone. The first
// line counts only when s starts with a line break; a line break that ends s gets no marker.
QString markListItems(const QString &marker, const QString &s, const ListYield &yield = {});

// "OL", "UL", "DIR" or "MENU": the kinds written with list tags around "<LI>" items.
bool isListTagKind(const QString &kind);

// What replaces the selected text when it becomes a list: with kind "OL", "UL", "DIR" or
// "MENU" the lines become "<LI>" items inside the list tags; any other kind (an image bullet)
// is itself put in front of each line, without list tags. Nothing to do (std::nullopt) for an
// empty text or an empty kind.
std::optional<SelectionReplacement> listFromText(const QString &kind, const QString &text,
                                                 const ListYield &yield = {});

// One entry of the mnuList menu array. With a non-empty selection an entry with a listKind
// converts it through listFromText; otherwise (and always for the entries without a kind) the
// block tags are written in turn as insertBlockTag(tag, false) would write them.
struct ListMenuEntry {
    QLatin1String caption;  // empty for the separator
    QLatin1String listKind;
    std::array<QLatin1String, 4> tagSlots;
    int tagCount = 0;

    constexpr bool isSeparator() const { return caption.isEmpty(); }
    constexpr std::span<const QLatin1String> blockTags() const
    {
        return {tagSlots.data(), std::size_t(tagCount)};
    }
};

inline constexpr QLatin1String listAssistCaption{"&ListAssist"};

inline constexpr std::array<ListMenuEntry, 9> listMenuEntries{{
    {QLatin1String("&Ordered List"), QLatin1String("OL"),
     {QLatin1String("OL"), QLatin1String("LI"), QLatin1String("LI"), QLatin1String("/OL")}, 4},
    {QLatin1String("&Bulleted List"), QLatin1String("UL"),
     {QLatin1String("UL"), QLatin1String("LI"), QLatin1String("LI"), QLatin1String("/UL")}, 4},
    {QLatin1String("&Directory List"), QLatin1String("DIR"),
     {QLatin1String("DIR"), QLatin1String("LI"), QLatin1String("LI"), QLatin1String("/DIR")}, 4},
    {QLatin1String("&Menu List"), QLatin1String("MENU"),
     {QLatin1String("MENU"), QLatin1String("LI"), QLatin1String("LI"), QLatin1String("/MENU")}, 4},
    {QLatin1String("&Add List Item"), QLatin1String(), {QLatin1String("LI")}, 1},
    {QLatin1String(), QLatin1String(), {}, 0},
    {QLatin1String("De&scriptive List"), QLatin1String(),
     {QLatin1String("DL"), QLatin1String("DT"), QLatin1String("DD"), QLatin1String("/DL")}, 4},
    {QLatin1String("Add Data &Term"), QLatin1String(), {QLatin1String("DT")}, 1},
    {QLatin1String("Add Data De&finiton"), QLatin1String(), {QLatin1String("DD")}, 1},
}};

// What a run of insertBlockTag(tag, false), one per tag, writes in place of the selection:
// textBeforeSelection is the document up to the selection (its last two characters decide
// whether the first tag needs a line break in front), selectedText stays after the first tag.
SelectionReplacement blockTagsReplacement(QStringView textBeforeSelection,
                                          QStringView selectedText,
                                          std::span<const QLatin1String> tags);

// The whole mnuList(index) command on a document and its selection; std::nullopt when it
// changes nothing (the separator, an index outside 0..8).
std::optional<SelectionReplacement> listMenuCommand(int index, QStringView document,
                                                    qsizetype selStart, qsizetype selLength,
                                                    const ListYield &yield = {});

} // namespace vornel
