#include "editor/insert_commands.h"

#include "editor/insertion.h"
#include "editor/text_edit.h"
#include "platform/platform.h"
#include "prefs/preferences.h"

#include <cmath>

namespace vornel {

namespace {

const QChar quote = QLatin1Char('"');

QString ask(const QString &title, const QString &prompt, const QString &defaultText)
{
    return platform().inputBox(title, prompt, defaultText);
}

// The leading number of a text as a double: blanks, a sign, digits with one decimal point and
// an exponent; a text without one counts as 0.
double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
            ++i;
        return i - from;
    };
    qsizetype count = digits();
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        count += digits();
    }
    if (count == 0)
        return 0;
    qsizetype end = i;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        if (digits() > 0)
            end = i;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    // An exponent beyond the range of a double reads as infinity, which no code matches.
    return ok ? value : HUGE_VAL;
}

} // namespace

void namedAnchorCommand(TextEdit &edit)
{
    const QString name = ask(QStringLiteral("Anchor at this Location"), QStringLiteral("Enter the reference name"),
                             QStringLiteral("Name"));
    if (!name.isEmpty())
        insertInlineTag(edit, QStringLiteral("A NAME=") + quote + name + quote, false);
}

void anchorLinkCommand(TextEdit &edit)
{
    const QString name = ask(QStringLiteral("Jump to an Anchor"), QStringLiteral("Enter the reference name"),
                             QStringLiteral("Name"));
    if (!name.isEmpty())
        insertLink(edit, QLatin1Char('#') + name);
}

void mailLinkCommand(TextEdit &edit)
{
    const QString address = ask(QStringLiteral("MAILTO Link"), QStringLiteral("User ID to receive mail"), prefs().MID);
    if (!address.isEmpty())
        insertLink(edit, QStringLiteral("mailto:") + address);
}

void insertLink(TextEdit &edit, const QString &address)
{
    insertElement(edit, QStringLiteral("A HREF=") + quote + address + quote, QStringLiteral("</A>"));
}

std::optional<int> characterCode(const QString &answer)
{
    // Rounded half to even, as the program's number conversion always did.
    const double n = std::nearbyint(leadingNumber(answer));
    if (!(n > 0 && n < 256))
        return std::nullopt;
    return int(n);
}

void characterReferenceCommand(TextEdit &edit)
{
    for (;;) {
        const QString answer = ask(QStringLiteral("Insert Ascii Code"),
                                   QStringLiteral("Enter the ASCII Code, between 1 and 255"), QString());
        if (answer.isEmpty())
            return;
        if (const std::optional<int> code = characterCode(answer)) {
            insertBeforeSelection(edit, QStringLiteral("&#") + QString::number(*code) + QLatin1Char(';'));
            return;
        }
        platform().messageBox(QStringLiteral("Invalid ASCII Code"), QStringLiteral("ASCII code must be between 1 and 255"),
                              MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

void commentCommand(TextEdit &edit)
{
    const QString selected = edit.selText();
    const QString text = ask(QStringLiteral("Insert Comment"), QStringLiteral("Enter comment text"),
                             selected.isEmpty() ? QStringLiteral("hidden comment") : selected);
    if (text.isEmpty())
        return;
    EditGroup group(edit);
    edit.setSelText(QString());
    insertBlockTag(edit, QStringLiteral("!-- ") + text + QStringLiteral(" --"), false);
}

void homePageLinkCommand(TextEdit &edit)
{
    const Preferences &p = prefs();
    if ((p.HomeGif.isEmpty() && p.HomeText.isEmpty()) || p.HomePage.isEmpty()) {
        platform().messageBox(QStringLiteral("Not Enough Information Available"),
                              QStringLiteral("All Home Page information has not been configured. Configure your Home "
                                             "Page references in the \"Location of Files\" dialog."),
                              MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // The inline insertion adds the outer "<" and ">", completing the end tag.
    insertInlineTag(edit, QStringLiteral("A HREF=") + quote + p.HomePage + quote + QLatin1Char('>') + p.HomeGif + p.HomeText
                              + QStringLiteral("</A"),
                    false);
}

} // namespace vornel
