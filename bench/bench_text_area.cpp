// Loading, reading and editing large documents in the text area.
#include "benchutil.h"
#include "editor/insertion.h"
#include "editor/text_area.h"
#include "editor/text_encoding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

using namespace vornel;
using namespace vornel::bench;

namespace {

void typeOneCharacter(QWidget *target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(target, &press);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr qsizetype tenMB = 10 * 1024 * 1024;
    constexpr int loadRuns = 5;
    constexpr int editRuns = 51;

    const QByteArray crlf = htmlLike(tenMB, LineBreaks::CrLf);
    const QByteArray lf = htmlLike(tenMB, LineBreaks::Lf);
    const QByteArray mixed = htmlLike(tenMB, LineBreaks::Mixed);

    {
        const QString same = QString::fromLatin1(crlf);
        QPlainTextEdit bare;
        bare.resize(800, 600);
        bare.show();
        report("bare QPlainTextEdit::setPlainText, 10 MB", medianMs(loadRuns, [&] { bare.setPlainText(same); }));
    }

    TextArea area;
    area.resize(800, 600);
    area.show();
    report("load 10 MB, CR LF", medianMs(loadRuns, [&] { area.loadBytes(crlf); }));
    report("load 10 MB, LF only", medianMs(loadRuns, [&] { area.loadBytes(lf); }));
    report("load 10 MB, mixed line ends", medianMs(loadRuns, [&] { area.loadBytes(mixed); }));
    const QByteArray utf8 = htmlLikeUtf8(tenMB);
    // What choosing the encoding adds to every load: a pure-ASCII file is read to its end.
    report("detect encoding, 10 MB ASCII", medianMs(loadRuns, [&] { (void)codec::detectEncoding(crlf); }));
    report("detect encoding, 10 MB UTF-8", medianMs(loadRuns, [&] { (void)codec::detectEncoding(utf8); }));
    report("load 10 MB UTF-8, CR LF", medianMs(loadRuns, [&] { area.loadBytes(utf8); }));
    report("save bytes, 10 MB UTF-8 CR LF", medianMs(loadRuns, [&] { (void)area.toBytes(); }));

    for (const auto &[name, bytes] : {std::pair{"CR LF", &crlf}, std::pair{"LF only", &lf}}) {
        area.loadBytes(*bytes);
        report(qPrintable(QStringLiteral("read model text, 10 MB %1").arg(QLatin1String(name))),
               medianMs(loadRuns, [&] { (void)area.text(); }));
        report(qPrintable(QStringLiteral("save bytes, 10 MB %1").arg(QLatin1String(name))),
               medianMs(loadRuns, [&] { (void)area.toBytes(); }));

        for (const bool atEnd : {false, true}) {
            const QString where = QStringLiteral("%1, %2").arg(atEnd ? "end" : "start", QLatin1String(name));
            auto place = [&] {
                area.setSelStart(atEnd ? area.length() : 0);
                area.setSelLength(0);
            };
            report(qPrintable(QStringLiteral("InsertInlineTag at %1").arg(where)), medianMs(editRuns, [&] {
                       place();
                       insertInlineTag(area, QStringLiteral("B"), true);
                   }));
            report(qPrintable(QStringLiteral("InsertBlockTag at %1").arg(where)), medianMs(editRuns, [&] {
                       place();
                       insertBlockTag(area, QStringLiteral("H1"), true);
                   }));
            report(qPrintable(QStringLiteral("InsertBeforeSelection at %1").arg(where)), medianMs(editRuns, [&] {
                       place();
                       insertBeforeSelection(area, QStringLiteral("&amp;"));
                   }));
        }
    }

    const QByteArray lfSmall = htmlLike(1024 * 1024, LineBreaks::Lf);
    area.loadBytes(lfSmall);
    area.setSelStart(area.length() / 2);
    report("type one character, 1 MB LF only (middle)",
           medianMs(editRuns, [&] { typeOneCharacter(&area); }));
    area.setSelStart(0);
    report("type one character, 1 MB LF only (start)",
           medianMs(editRuns, [&] { typeOneCharacter(&area); }));
    return 0;
}
