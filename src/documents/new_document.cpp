#include "documents/new_document.h"

#include "app/main_window.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace vornel {

namespace {

QString &templateFolderOverride()
{
    static QString folder;
    return folder;
}

struct TemplateRead {
    bool opened = false;
    bool complete = false;
    QByteArray bytes;
};

// Reads the file's full length. Only a plain file counts as a template: a folder holds no
// text, and a pipe or a device could block or never end.
TemplateRead readTemplateFile(const QString &path)
{
    TemplateRead result;
    if (!QFileInfo(path).isFile())
        return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;

    constexpr qint64 chunk = 4 * 1024 * 1024;
    const qint64 size = file.size();
    result.bytes.resize(size);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(result.bytes.data() + done, std::min(chunk, size - done));
        if (got <= 0)
            break;
        done += got;
    }
    result.bytes.resize(done);
    result.complete = done == size && file.error() == QFileDevice::NoError;
    return result;
}

} // namespace

QString defaultTemplateText(const QString &title)
{
    const QStringList lines = {
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>"),
        QStringLiteral("<!-- Comment Here -->"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QString(),
        QStringLiteral("Your Document Here"),
        QString(),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString templateFolder()
{
    const QString &folder = templateFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setTemplateFolder(const QString &folder)
{
    templateFolderOverride() = folder;
}

DocumentWindow *newDocumentFromTemplate(const QString &templateName)
{
    MainWindow *main = mainWindow();
    if (!main)
        return nullptr;

    QString skeleton;
    QByteArray fileBytes;
    const bool builtIn = templateName == kDefaultTemplateName;
    if (builtIn) {
        const QString title = platform().inputBox(QStringLiteral("Create New Document"),
                                                  QStringLiteral("Enter\r\nthe title for this HTML document"),
                                                  QStringLiteral("Untitled"));
        if (title.isEmpty())
            return nullptr;
        skeleton = defaultTemplateText(title);
    } else {
        // The settings hold a bare file name; it is appended as it stands, as it always was.
        const TemplateRead read = readTemplateFile(templateFolder() + QLatin1Char('/') + templateName);
        if (!read.opened) {
            platform().messageBox(MainWindow::kCaption, QStringLiteral("Can't open template file: ") + templateName,
                                  MsgButtons::Ok, MsgIcon::None);
            return nullptr;
        }
        if (!read.complete) {
            platform().messageBox(QStringLiteral("Error Reading File"),
                                  QStringLiteral("Cannot read all of the characters in ") + templateName,
                                  MsgButtons::Ok, MsgIcon::Information);
        }
        fileBytes = read.bytes;
    }

    const int slot = documentTable().findFreeSlot();
    DocumentWindow *window = main->createDocumentWindow(slot);
    window->setCaption(QStringLiteral("Untitled:") + QString::number(slot));
    // Filled while hidden so that a long template is laid out once. Filling it is a change of
    // the text, which marks the new document as changed: closing it asks whether to save.
    TextArea *area = window->textArea();
    area->hide();
    if (builtIn)
        area->setText(skeleton);
    else
        area->loadBytes(fileBytes);
    area->show();
    area->setFocus();
    refreshRecentMenus();
    return window;
}

} // namespace vornel
