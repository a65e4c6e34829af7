#pragma once

#include <QString>

namespace vornel {

class DocumentWindow;
class Workspace;

// The built-in skeleton page with the title put in as typed: eleven lines joined by CR LF,
// no line break after the last.
QString defaultTemplateText(const QString &title);

// The new-document builder: a new untitled document window, active, holding the text of the
// named template, or nullptr when nothing was created (the title prompt cancelled or left
// empty, the template file missing). A template file is taken over byte for
// byte; a short read is reported and the document keeps what was read.
DocumentWindow *newDocumentFromTemplate(Workspace &workspace, const QString &templateName);

} // namespace vornel
