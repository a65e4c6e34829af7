// A 100 MB page of 100-character lines: loading it, the memory it holds, keys and moves with
// their repaint, and saving it against QSaveFile of the same bytes.
#include "bench_support.h"

#include "platform/file_io.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace vornel;
using namespace vornel::bench;

namespace {


void key(QWidget *target, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(target, &press);
    // With the repaint it causes.
    QCoreApplication::processEvents();
}

double medianOf(QVector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SilentPlatform silent;
    setPlatform(&silent);
    constexpr qsizetype hundredMB = 100 * 1024 * 1024;
    constexpr int runs = 11;

    QByteArray bytes;
    bytes.reserve(hundredMB + 128);
    const QByteArray line = QByteArray(98, 'x').replace(0, 3, "<P>");
    while (bytes.size() < hundredMB)
        bytes.append(line).append("\r\n");

    TextArea area;
    area.resize(800, 600);
    area.show();
    QCoreApplication::processEvents();
    const double before = processMemoryMb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    area.loadBytes(bytes);
    QCoreApplication::processEvents();
    report("load 100 MB of 100-character lines, with the first paint", timer.nsecsElapsed() / 1e6);
    const double held = processMemoryMb("VmRSS") - before;
    std::printf("%-60s %10.2f bytes per byte (%.0f MB)\n", "memory the document holds", held * 1024 * 1024 / double(bytes.size()), held);

    area.setFocus();
    for (const auto &[name, at] : {std::pair{"a typed key with repaint, start", 0},
                                   std::pair{"a typed key with repaint, middle", area.length() / 2},
                                   std::pair{"a typed key with repaint, end", area.length()}}) {
        QVector<double> times;
        for (int i = 0; i < runs; ++i) {
            area.setSelStart(at);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            key(&area, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            times.append(t.nsecsElapsed() / 1e6);
            area.undo();
        }
        report(name, medianOf(times));
    }
    for (const auto &[name, code, modifiers] :
         {std::tuple{"Ctrl+End with repaint", Qt::Key_End, Qt::KeyboardModifiers(Qt::ControlModifier)},
          std::tuple{"Ctrl+Home with repaint", Qt::Key_Home, Qt::KeyboardModifiers(Qt::ControlModifier)},
          std::tuple{"Page Down with repaint", Qt::Key_PageDown, Qt::KeyboardModifiers()}}) {
        QVector<double> times;
        for (int i = 0; i < runs; ++i) {
            area.setSelStart(code == Qt::Key_Home ? area.length() : area.length() / 2);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            key(&area, code, modifiers);
            times.append(t.nsecsElapsed() / 1e6);
        }
        report(name, medianOf(times));
    }

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.htm"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.htm"));
    const double save = medianMs(3, [&] {
        if (!writeFileSafely(saved, area.toBytes()).isEmpty())
            qFatal("cannot save");
    });
    const double plain = medianMs(3, [&] {
        QSaveFile file(plainPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            qFatal("cannot write");
    });
    report("save 100 MB (the text's bytes, written safely)", save);
    report("  of which the text's bytes (TextArea::toBytes)", medianMs(3, [&] { (void)area.toBytes(); }));
    report("QSaveFile of the same bytes", plain);
    std::printf("%-60s %10.2f x (target 1.5)\n", "save / QSaveFile", save / plain);
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return 0;
}
