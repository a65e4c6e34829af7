#pragma once

namespace vornel {

class DocumentWindow;
class RecoverySession;
class Workspace;

// Recovery copies of documents with unsaved changes, and their offer at the next start.

// From now on, while the window has unsaved changes, a copy of its text is kept in the
// recovery session's folder: the first within the typing pause of the first unsaved change,
// then once typing pauses and at the latest every longest wait while it goes on. A clean save
// or the window's end removes it. A copy that cannot be written is told to the user once per
// run and tried again. Nothing happens while no recovery session is set.
void keepRecoveryCopies(DocumentWindow &window);
// The window was saved: its copy goes at once.
void forgetRecoveryCopy(DocumentWindow &window);
// Writes the copy of every window with unsaved changes now and waits until they are on the
// disk, telling no failure: the program is about to end without asking (a logout, a kill).
void writeRecoveryCopiesNow();

// Offers each copy left by instances that are no longer running: Yes opens it in a new
// document window (changed, with its caption and path as they were), No discards it, Cancel
// keeps it for the next start. Returns the number of documents recovered.
int offerRecoveredDocuments(Workspace &workspace, RecoverySession &session);

} // namespace vornel
