#pragma once

#include "platform/platform.h"

namespace vornel {

// Caps Lock, Num Lock and Scroll Lock as the X server's keyboard indicators show them.
// Only meaningful when the program runs on X11; known is false when the state cannot be read.
KeyLockState readX11KeyLocks();

} // namespace vornel
