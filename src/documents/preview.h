#pragma once

namespace vornel {

class DocumentWindow;
class Workspace;

// Document > Preview: saves the document with the Save command, then shows the saved file in
// the HTML viewer of the preferences, asking for one first when none is chosen. A document
// that still has no file is not previewed.
void previewCommand(Workspace &workspace, DocumentWindow &window);

} // namespace vornel
