// What keeping recovery copies costs: typing in a 10 MB document with and without them, the
// user-interface thread's share of one copy, and writing a copy against a plain safe save.
#include "app/main_window.h"
#include "benchutil.h"
#include "documents/recovery_copy.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTemporaryDir>

using namespace vornel;
using namespace vornel::bench;

namespace {

constexpr int kKeystrokes = 200;

// The median time of a keystroke over a run of them, with the events they cause handled.
double typingMs(MainWindow &main, DocumentWindow &window)
{
    main.activateDocument(&window);
    QCoreApplication::processEvents();
    TextArea *area = window.textArea();
    area->setSelStart(area->length() / 2);
    return medianMs(kKeystrokes, [area] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(area, &press);
        QCoreApplication::processEvents();
    });
}

DocumentWindow *documentOf(MainWindow &main, const QByteArray &bytes)
{
    DocumentWindow *window = main.createDocumentWindow(documentTable().findFreeSlot());
    window->textArea()->loadBytes(bytes);
    window->setChanged(true);
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray tenMB = htmlLike(10 * 1024 * 1024, LineBreaks::CrLf);

    // The session outlives the windows that keep copies in it.
    RecoverySession session(dir.filePath(QStringLiteral("recovery")));
    MainWindow main;
    main.resize(800, 600);
    main.show();
    DocumentWindow *plain = documentOf(main, tenMB);
    setRecoverySession(&session);
    DocumentWindow *kept = documentOf(main, tenMB);

    // Alternating rounds, so that a busy moment of the machine falls on both alike.
    double off = 0;
    double on = 0;
    constexpr int rounds = 10;
    for (int round = 0; round < rounds; ++round) {
        off += typingMs(main, *plain) / rounds;
        on += typingMs(main, *kept) / rounds;
    }
    report("type one character, 10 MB, recovery off", off);
    report("type one character, 10 MB, recovery on", on);
    std::printf("%-60s %10.1f %%\n", "  extra cost per keystroke", (on / off - 1) * 100);

    RecoveryCopy copy;
    copy.path = QStringLiteral("/web/index.htm");
    copy.caption = QStringLiteral("INDEX.HTM");
    const double snapshot = medianMs(5, [&] { copy.bytes = kept->textArea()->toBytes(); });
    report("take a copy of 10 MB (user-interface thread)", snapshot);
    std::printf("%-60s %10.3f %%\n", "  share of non-stop typing, one copy per longest wait",
                snapshot / session.maxWaitMs * 100);

    const QString file = dir.filePath(QStringLiteral("copy"));
    const double viaCopy = medianMs(5, [&] { writeRecoveryCopy(file, copy); });
    const double viaSave = medianMs(5, [&] {
        QSaveFile out(dir.filePath(QStringLiteral("saved")));
        out.open(QIODevice::WriteOnly);
        out.write(copy.bytes);
        out.commit();
    });
    report("write a recovery copy of 10 MB (worker thread)", viaCopy);
    report("write the same bytes with QSaveFile", viaSave);
    std::printf("%-60s %10.2f x\n", "  copy / QSaveFile", viaCopy / viaSave);

    plain->setChanged(false);
    kept->setChanged(false);
    setRecoverySession(nullptr);
    return 0;
}
