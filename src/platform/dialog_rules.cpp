#include "platform/dialog_rules.h"

#include <QFileInfo>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace vornel {

QList<MsgResult> answersOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return {MsgResult::Ok};
    case MsgButtons::OkCancel:
        return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo:
        return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel:
        return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::RetryCancel:
        return {MsgResult::Retry, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore:
        return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    }
    return {MsgResult::Ok};
}

MsgResult escapeAnswer(MsgButtons buttons)
{
    const QList<MsgResult> answers = answersOf(buttons);
    if (answers.contains(MsgResult::Cancel))
        return MsgResult::Cancel;
    if (answers.contains(MsgResult::No))
        return MsgResult::No;
    return answers.first();
}

static QString qtPatterns(const QString &patterns)
{
    QStringList result;
    for (const QString &pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty())
            result << (trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
    }
    if (result.isEmpty() || result.contains(u"*"))
        return QStringLiteral("*");
    return result.join(u' ');
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString shown = parts.at(i).trimmed();
        const QString group = u'(' + qtPatterns(parts.value(i + 1)) + u')';
        // A shown text that lists its patterns in brackets ("HTML Files (*.htm;*.html)") gets
        // them in Qt's form in place of its own, which Qt would not read; no second copy.
        const qsizetype open = shown.lastIndexOf(u'(');
        if (shown.endsWith(u')') && open >= 0)
            result << shown.left(open) + group;
        else if (shown.isEmpty())
            result << group;
        else
            result << shown + u' ' + group;
    }
    return result;
}

QString fileTitleOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString withDefaultExtension(const QString &path, const QString &ext)
{
    QString suffix = ext;
    while (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    const QString name = fileTitleOf(path);
    if (suffix.isEmpty() || name.isEmpty() || name.contains(u'.'))
        return path;
    return path + u'.' + suffix;
}

QString elidedMiddle(const QString &text, int maxChars)
{
    const QString dots = QStringLiteral("...");
    if (text.size() <= maxChars || maxChars <= dots.size())
        return text.left(std::max(maxChars, 0));
    const qsizetype kept = maxChars - dots.size();
    const qsizetype head = kept / 3;
    return text.left(head) + dots + text.right(kept - head);
}

namespace {

QString withLongRunsShortened(const QString &text, int maxRun)
{
    QString shown;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        const bool blank = text.at(start).isSpace();
        while (end < text.size() && text.at(end).isSpace() == blank)
            ++end;
        const QString run = text.mid(start, end - start);
        shown += blank ? run : elidedMiddle(run, maxRun);
        start = end;
    }
    return shown;
}

// The longest start of stretch, one character at least and never half a surrogate pair,
// that is no wider than maxWidth.
qsizetype fittingLength(QStringView stretch, int maxWidth, const TextWidth &widthOf)
{
    qsizetype fits = 1;
    qsizetype tooWide = stretch.size();
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (widthOf(stretch.first(middle)) <= maxWidth)
            fits = middle;
        else
            tooWide = middle;
    }
    if (fits < stretch.size() && stretch.at(fits).isLowSurrogate() && fits > 1)
        --fits;
    else if (fits < stretch.size() && stretch.at(fits).isLowSurrogate())
        ++fits;
    return fits;
}

} // namespace

QString messageBoxText(const QString &text, int maxWidth, const TextWidth &widthOf, int maxRun)
{
    const QString shortened = withLongRunsShortened(text, maxRun);
    QString shown;
    shown.reserve(shortened.size());
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, shortened);
    qsizetype start = 0;
    for (qsizetype next = breaks.toNextBoundary(); next > 0; next = breaks.toNextBoundary()) {
        QStringView stretch = QStringView(shortened).sliced(start, next - start);
        start = next;
        // The blanks a line may end in take no room on it.
        QStringView word = stretch;
        while (!word.isEmpty() && word.back().isSpace())
            word.chop(1);
        while (!word.isEmpty() && widthOf(word) > maxWidth) {
            const qsizetype length = fittingLength(word, maxWidth, widthOf);
            shown += word.first(length);
            shown += QLatin1Char('\n');
            word = word.sliced(length);
            stretch = stretch.sliced(length);
        }
        shown += stretch;
    }
    return shown;
}

} // namespace vornel
