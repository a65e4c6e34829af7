#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace vornel::bench {

// Runs fn `runs` times and returns the median wall time in milliseconds.
inline double medianMs(int runs, const std::function<void()> &fn)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

enum class LineBreaks { CrLf, Lf, Mixed };

// About `size` bytes of HTML-like lines of varying length; Mixed ends them with CR LF, LF and a
// lone CR in turn, so that it has as many lines as the others.
inline QByteArray htmlLike(qsizetype size, LineBreaks ends = LineBreaks::CrLf)
{
    static const char *const lines[] = {
        "<P>The quick brown fox jumps over the lazy dog, again and again.</P>",
        "<A HREF=\"http://www.example.com/page.htm\">a link</A> &amp; more text",
        "",
        "<H2>Heading</H2>",
        "<UL><LI>one item with some words in it</LI></UL>",
    };
    QByteArray out;
    out.reserve(size + 100);
    for (int i = 0; out.size() < size; ++i) {
        out.append(lines[i % 5]);
        const int kind = ends == LineBreaks::Mixed ? i % 3 : ends == LineBreaks::Lf ? 1 : 0;
        out.append(kind == 0 ? "\r\n" : kind == 1 ? "\n" : "\r");
    }
    return out;
}

// Exactly `size` bytes of the lines of htmlLike with no line end at all: one line, as a
// minified page is.
inline QByteArray htmlOneLine(qsizetype size)
{
    QByteArray out = htmlLike(size + size / 8 + 100, LineBreaks::Lf);
    out.removeIf([](char c) { return c == '\n'; });
    out.truncate(size);
    return out;
}

// About `size` bytes of UTF-8 HTML: mostly ASCII, with accented letters and CJK characters.
inline QByteArray htmlLikeUtf8(qsizetype size)
{
    static const char *const lines[] = {
        "<P>Caf\xC3\xA9 cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e, na\xC3\xAFve fa\xC3\xA7" "ade, again and again.</P>",
        "<A HREF=\"http://www.example.com/page.htm\">\xE4\xB8\xAD\xE6\x96\x87\xE7\xBD\x91\xE9\xA1\xB5</A> &amp; more",
        "",
        "<H2>\xC3\x9C" "berschrift \xE2\x80\x94 Heading</H2>",
        "<UL><LI>one item with some words in it</LI></UL>",
    };
    QByteArray out;
    out.reserve(size + 100);
    for (int i = 0; out.size() < size; ++i) {
        out.append(lines[i % 5]);
        out.append("\r\n");
    }
    return out;
}

// A memory figure of the process from /proc/self/status ("VmRSS", "VmHWM"), in MB (Linux).
inline double processMemoryMb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    }
    return 0;
}

inline void report(const char *name, double ms)
{
    std::printf("%-60s %10.3f ms\n", name, ms);
    std::fflush(stdout);
}

} // namespace vornel::bench
