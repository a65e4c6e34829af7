#pragma once

#include "platform/platform.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// Rules of the platform's dialogs that need no window, shared by the real platform and the
// test double so both behave alike.
namespace vornel {

// The answers a message box offers, in the order its buttons appear; the first is the default.
QList<MsgResult> answersOf(MsgButtons buttons);
// The answer Escape or closing the box gives: Cancel where there is one, No for Yes/No,
// Ok for a lone Ok, Abort for Abort/Retry/Ignore.
MsgResult escapeAnswer(MsgButtons buttons);

// "Shown text|*.htm;*.html|All Files (*.*)|*.*" → one Qt name filter per pair, such as
// "Shown text (*.htm *.html)" and "All Files (*.*) (*)". Qt reads the patterns from the
// last parentheses, and "*.*" means every file (Qt's "*.*" would need a dot in the name).
QStringList qtNameFilters(const QString &filter);

// The file's name without its folder.
QString fileTitleOf(const QString &path);

// The path with ".ext" added when its file name has no extension, as the save dialog
// completes a typed name; unchanged when ext is empty.
QString withDefaultExtension(const QString &path, const QString &ext);

// The text with its middle replaced by "..." when it is longer than maxChars, keeping more of
// the end (a path's file name) than of the start.
QString elidedMiddle(const QString &text, int maxChars);

// The width of a stretch of text, in the unit a limit is given in (pixels on the screen).
using TextWidth = std::function<int(QStringView)>;

// The text a message box shows: the caller's text exactly, for the box to wrap at blanks and
// after folder separators itself, but for what no box could show so. A run between blanks
// longer than maxRun characters (a 100 KB path) is cut short in its middle; a stretch with no
// place to break a line that is wider than maxWidth is broken where it reaches that width.
QString messageBoxText(const QString &text, int maxWidth, const TextWidth &widthOf, int maxRun = 480);

} // namespace vornel
