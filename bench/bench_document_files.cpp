// Opening and saving large documents, against what Qt alone needs for the same work.
#include "benchutil.h"

#include "app/main_window.h"
#include "documents/document_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"

#include <QApplication>
#include <QFile>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace vornel;
using namespace vornel::bench;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void closeDocument(DocumentWindow *window)
{
    window->setChanged(false);
    window->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}


} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr qsizetype tenMB = 10 * 1024 * 1024;
    constexpr int runs = 7;

    QTemporaryDir dir;
    const QByteArray bytes = htmlLike(tenMB);
    const QString source = dir.filePath(QStringLiteral("big.htm"));
    writeFile(source, bytes);

    MainWindow main;
    main.resize(1000, 750);
    main.show();
    QCoreApplication::processEvents();

    // Warm up the page cache and the fonts.
    closeDocument(loadDocument(main, source, QStringLiteral("big.htm")));

    // Measured in turns, so that a busy machine weighs on both sides alike.
    QPlainTextEdit bare;
    bare.resize(main.size());
    bare.show();
    const QString text = QString::fromLatin1(bytes);
    QVector<double> loads;
    QVector<double> bares;
    for (int i = 0; i < runs; ++i) {
        loads << medianMs(1, [&] {
            DocumentWindow *window = loadDocument(main, source, QStringLiteral("big.htm"));
            bare.resize(window->textArea()->size());
        });
        closeDocument(main.activeDocument());
        bares << medianMs(1, [&] { bare.setPlainText(text); });
    }
    bare.clear();
    std::sort(loads.begin(), loads.end());
    std::sort(bares.begin(), bares.end());
    const double load = loads[runs / 2];
    const double plainLoad = bares[runs / 2];
    report("open 10 MB file into a new document window", load);
    report("bare QPlainTextEdit::setPlainText, same text", plainLoad);
    std::printf("%-60s %10.2f x (target 1.3)\n", "open / bare", load / plainLoad);

    DocumentWindow *window = loadDocument(main, source, QStringLiteral("big.htm"));
    const QString savedPath = dir.filePath(QStringLiteral("saved.htm"));
    const double save = medianMs(runs, [&] { saveDocument(*window, savedPath, QStringLiteral("saved.htm")); });
    const QString plainPath = dir.filePath(QStringLiteral("plain.htm"));
    const QByteArray withLineEnd = bytes + "\r\n";
    const double plain = medianMs(runs, [&] {
        QSaveFile file(plainPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(withLineEnd) != withLineEnd.size() || !file.commit())
            qFatal("cannot write %s", qPrintable(plainPath));
    });
    const double toBytes = medianMs(runs, [&] { (void)window->textArea()->toBytes(); });
    report("save 10 MB document", save);
    report("  of which the text area's TextArea::toBytes", toBytes);
    report("QSaveFile of the same bytes", plain);
    std::printf("%-60s %10.2f x (target 2.0)\n", "save / QSaveFile", save / plain);
    closeDocument(window);

    // A UTF-8 file against a Windows-1252 file of the same size, opened and saved in turns.
    const QByteArray utf8Bytes = htmlLikeUtf8(tenMB);
    const QString utf8Source = dir.filePath(QStringLiteral("utf8.htm"));
    writeFile(utf8Source, utf8Bytes);
    const QString singleSource = dir.filePath(QStringLiteral("single.htm"));
    writeFile(singleSource, htmlLike(utf8Bytes.size()));
    QVector<double> utf8Opens;
    QVector<double> singleOpens;
    QVector<double> utf8Saves;
    QVector<double> singleSaves;
    for (int i = 0; i < runs; ++i) {
        for (const bool utf8 : {true, false}) {
            DocumentWindow *document = nullptr;
            (utf8 ? utf8Opens : singleOpens) << medianMs(1, [&] {
                document = loadDocument(main, utf8 ? utf8Source : singleSource, QStringLiteral("page.htm"));
            });
            (utf8 ? utf8Saves : singleSaves) << medianMs(1, [&] {
                saveDocument(*document, savedPath, QStringLiteral("saved.htm"));
            });
            closeDocument(document);
        }
    }
    for (QVector<double> *times : {&utf8Opens, &singleOpens, &utf8Saves, &singleSaves})
        std::sort(times->begin(), times->end());
    report("open 10 MB UTF-8 file (accented and CJK)", utf8Opens[runs / 2]);
    report("open 10 MB Windows-1252 file", singleOpens[runs / 2]);
    std::printf("%-60s %10.2f x (target 1.3)\n", "UTF-8 open / Windows-1252 open", utf8Opens[runs / 2] / singleOpens[runs / 2]);
    report("save 10 MB UTF-8 document", utf8Saves[runs / 2]);
    report("save 10 MB Windows-1252 document", singleSaves[runs / 2]);
    std::printf("%-60s %10.2f x (target 1.3)\n", "UTF-8 save / Windows-1252 save", utf8Saves[runs / 2] / singleSaves[runs / 2]);

    // One 100 MB file: it must open at all, in reasonable memory.
    const QString huge = dir.filePath(QStringLiteral("huge.htm"));
    writeFile(huge, htmlLike(10 * tenMB));
    const double before = processMemoryMb("VmHWM");
    const double hugeLoad = medianMs(1, [&] { loadDocument(main, huge, QStringLiteral("huge.htm")); });
    report("open 100 MB file (one run)", hugeLoad);
    std::printf("%-60s %10.0f MB (before: %.0f MB)\n", "peak memory after opening it", processMemoryMb("VmHWM"), before);
    closeDocument(main.activeDocument());
    return 0;
}
