#include "platform/platform.h"

#include "platform/qt_platform.h"

namespace vornel {

namespace {
Platform *installedPlatform = nullptr;
}

Platform &platform()
{
    if (installedPlatform)
        return *installedPlatform;
    static QtPlatform real;
    return real;
}

void setPlatform(Platform *replacement)
{
    installedPlatform = replacement;
}

} // namespace vornel
