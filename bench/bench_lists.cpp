// Converting a large selection into a list, for each list kind.

#include "benchutil.h"
#include "editor/list_conversion.h"

#include <QRandomGenerator>
#include <QString>

#include <cstdio>

using namespace vornel;

namespace {

constexpr int lineCount = 20000;
constexpr qsizetype targetSize = 1024 * 1024;

// About 1 MB in 20,000 lines of the kind people turn into lists: plain lines, some with
// leading blanks or line-break tags, some already list items or image-bullet items, a few
// empty ones.
QString makeSelection()
{
    QRandomGenerator random(7);
    // One line in sixteen is empty; the others fill the megabyte.
    const qsizetype lineLength = (targetSize - 2 * lineCount) * 16 / (15 * lineCount);
    QString text;
    text.reserve(targetSize + 64);
    for (int i = 0; i < lineCount; ++i) {
        QString line;
        switch (random.bounded(16)) {
        case 0:
            line = QStringLiteral("   ");
            break;
        case 1:
            line = QStringLiteral("<BR>");
            break;
        case 2:
            line = QStringLiteral("<LI>");
            break;
        case 3:
            line = QStringLiteral("<BR><IMG SRC=\"dot.gif\">");
            break;
        case 4:
            text += QLatin1String("\r\n");
            continue;
        default:
            break;
        }
        while (line.size() < lineLength)
            line += QStringLiteral("item %1 <B>text</B> ").arg(i);
        line.truncate(lineLength);
        text += line;
        if (i + 1 < lineCount)
            text += QLatin1String("\r\n");
    }
    return text;
}

// Lines that keep the slow paths busy: leading blanks removed one at a time, and image tags
// that never close, so every line start searches ahead for a ">".
QString makeAwkwardSelection()
{
    QString text;
    text.reserve(targetSize + 64);
    const QString blanks(40, u' ');
    for (int i = 0; i < lineCount; ++i) {
        text += i % 2 ? blanks + QStringLiteral("item") : QStringLiteral("<BR><IMG SRC=\"dot.gif\" ALT=\"item %1\" ").arg(i);
        while (text.size() < qsizetype(i + 1) * (targetSize / lineCount) - 2)
            text += u'x';
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace

int main()
{
    const QString selection = makeSelection();
    std::printf("selection: %lld characters, %lld lines\n", static_cast<long long>(selection.size()),
                static_cast<long long>(selection.count(QLatin1String("\r\n")) + 1));

    const QStringList kinds = {"OL", "UL", "DIR", "MENU", "<BR><IMG SRC=\"dot.gif\">"};
    qsizetype sink = 0;
    for (const QString &kind : kinds) {
        const double ms = bench::medianMs(11, [&] {
            sink += listFromText(kind, selection)->text.size();
        });
        const QByteArray name = "ListFromText, 1 MB / 20,000 lines, kind " + kind.toUtf8();
        bench::report(name.constData(), ms);
    }

    const QString awkward = makeAwkwardSelection();
    for (const QString &kind : {QStringLiteral("UL"), QStringLiteral("<BR><IMG SRC=\"dot.gif\">")}) {
        const double ms = bench::medianMs(11, [&] {
            sink += listFromText(kind, awkward)->text.size();
        });
        const QByteArray name = "blanks and unclosed image tags, kind " + kind.toUtf8();
        bench::report(name.constData(), ms);
    }

    // The same with a yield callback, as the window passes one.
    int yields = 0;
    const ListYield yield{[&yields] { ++yields; }, 25};
    const double ms = bench::medianMs(11, [&] {
        sink += listFromText(QStringLiteral("OL"), selection, yield)->text.size();
    });
    bench::report("ListFromText OL with a yield callback", ms);
    std::printf("(output characters total %lld, yields %d)\n", static_cast<long long>(sink), yields);
    return 0;
}
