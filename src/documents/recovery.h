#pragma once

namespace vornel {

class DocumentWindow;
class RecoverySession;
class Workspace;

// Recovery copies of documents with unsaved changes, and their offer at the next start.

// From now on, while the window has unsaved changes, a copy of its text is kept in the
// recovery session's folder: written once typing pauses, and at the latest some time after
// the first unsaved change. A clean save or the window's end removes it. Nothing happens while
// no recovery session is set.
void keepRecoveryCopies(DocumentWindow &window);
// The window was saved: its copy goes at once.
void forgetRecoveryCopy(DocumentWindow &window);

// Offers each copy left by instances that are no longer running: Yes opens it in a new
// document window (changed, with its caption and path as they were), No discards it, Cancel
// keeps it for the next start. Returns the number of documents recovered.
int offerRecoveredDocuments(Workspace &workspace, RecoverySession &session);

} // namespace vornel
