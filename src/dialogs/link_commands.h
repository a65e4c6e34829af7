#pragma once

namespace vornel {

class TextEdit;
class Workspace;

// Inline Image: the image dialog; its tag goes in front of the selection.
void insertImageCommand(Workspace &workspace, TextEdit &edit);

// Link to another document: the address from the history input (url-list.qvl, Browse for local
// files), written as a link around the selection.
void documentLinkCommand(Workspace &workspace, TextEdit &edit);

} // namespace vornel
