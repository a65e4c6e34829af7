#pragma once

#include <QString>

namespace vornel {

inline const QString kProductName = QStringLiteral("Vornel Internet Home Page Creator");
// Kept in step with the project version in CMakeLists.txt.
inline const QString kVersion = QStringLiteral("5.0.0");

// The version line shown by the splash window and the About box.
inline QString versionText()
{
    return QStringLiteral("Version ") + kVersion;
}

} // namespace vornel
