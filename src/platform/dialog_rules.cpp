#include "platform/dialog_rules.h"

#include <QFileInfo>

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

QString wrappedMessageText(const QString &text, int lineChars, int maxRun)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString rest = elidedMiddle(line, maxRun);
        while (rest.size() > lineChars) {
            // Break after the last separator or blank in the second half of the line.
            qsizetype cut = lineChars;
            for (qsizetype i = lineChars - 1; i >= lineChars / 2; --i) {
                const QChar c = rest.at(i);
                if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(' ')) {
                    cut = i + 1;
                    break;
                }
            }
            lines << rest.left(cut);
            rest = rest.mid(cut);
        }
        lines << rest;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace vornel
