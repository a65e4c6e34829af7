#include "documents/new_document.h"

#include "documents/read_report.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/program_folder.h"
#include "prefs/preferences.h"

#include <QStringList>

namespace vornel {

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

DocumentWindow *newDocumentFromTemplate(Workspace &workspace, const QString &templateName)
{
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
        FileRead read = readWholeFile(templateFile(templateName, templateFolders()));
        if (!reportRead(read, QStringLiteral("Can't open template file: ") + templateName, templateName))
            return nullptr;
        fileBytes = std::move(read.bytes);
    }

    const int slot = documentTable().findFreeSlot();
    DocumentWindow *window = workspace.createDocumentWindow(slot);
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
    refreshRecentMenus(workspace);
    return window;
}

} // namespace vornel
