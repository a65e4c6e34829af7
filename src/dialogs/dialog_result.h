#pragma once

#include <QString>

namespace vornel {

// The text a dialog hands back to the command that opened it (the image dialog's tag body);
// empty when the dialog was cancelled. One value for the whole program.
QString &dialogResultText();

} // namespace vornel
