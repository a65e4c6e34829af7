#pragma once

#include <QList>
#include <QString>

namespace vornel {

// The accented Latin-1 letters the extended-characters toolbox offers: codes 192 to 255, less
// the multiplication sign (215) and the division sign (247), in code order.
QList<int> extendedCharacterCodes();

// The HTML 2.0 entity name of an offered code ("Agrave" for 192), or the empty text for a code
// that is not offered.
QString entityName(int code);
// What HTML mode writes for the code: "&" + name + ";", e.g. "&eacute;" for 233; empty for a
// code that is not offered.
QString entityReference(int code);

} // namespace vornel
