#include "platform/dialog_rules.h"

#include <QFileInfo>

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

} // namespace vornel
