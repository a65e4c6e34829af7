#include "platform/x11_key_locks.h"

#include <dlfcn.h>

#include <array>

namespace vornel {

namespace {

// The few Xlib calls needed, loaded at run time so the build needs no X11 headers and the
// program still runs where libX11 is missing.
using Display = void;
using Atom = unsigned long;
using OpenDisplayFn = Display *(*)(const char *);
using CloseDisplayFn = int (*)(Display *);
using InternAtomFn = Atom (*)(Display *, const char *, int);
using GetIndicatorStateFn = int (*)(Display *, unsigned int, unsigned int *);
using GetNamedIndicatorFn = int (*)(Display *, Atom, int *, int *, void *, int *);

constexpr unsigned int XkbUseCoreKbd = 0x0100;
constexpr int Success = 0;
constexpr int OnlyIfExists = 1;

// Indicator names, and their bits in the core keyboard's state when looking up a name fails.
constexpr std::array<const char *, 3> indicatorNames = {"Caps Lock", "Num Lock", "Scroll Lock"};
constexpr std::array<unsigned int, 3> coreIndicatorBits = {0x1, 0x2, 0x4};

// One connection for the whole run; polled often by the status bar, so it stays open.
class X11Keyboard {
public:
    X11Keyboard()
    {
        m_library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!m_library)
            return;
        resolve(m_openDisplay, "XOpenDisplay");
        resolve(m_closeDisplay, "XCloseDisplay");
        resolve(m_internAtom, "XInternAtom");
        resolve(m_getIndicatorState, "XkbGetIndicatorState");
        resolve(m_getNamedIndicator, "XkbGetNamedIndicator");
        if (!m_openDisplay || !m_closeDisplay || !m_internAtom || !m_getIndicatorState
            || !m_getNamedIndicator)
            return;
        m_display = m_openDisplay(nullptr);
        if (!m_display)
            return;
        for (std::size_t i = 0; i < indicatorNames.size(); ++i)
            m_indicatorAtoms[i] = m_internAtom(m_display, indicatorNames[i], OnlyIfExists);
    }

    ~X11Keyboard()
    {
        if (m_display)
            m_closeDisplay(m_display);
        if (m_library)
            dlclose(m_library);
    }

    X11Keyboard(const X11Keyboard &) = delete;
    X11Keyboard &operator=(const X11Keyboard &) = delete;

    KeyLockState read() const
    {
        if (!m_display)
            return {};
        std::array<bool, 3> lit = {};
        unsigned int coreState = 0;
        bool haveCoreState = false;
        for (std::size_t i = 0; i < lit.size(); ++i) {
            int on = 0;
            if (m_indicatorAtoms[i]
                && m_getNamedIndicator(m_display, m_indicatorAtoms[i], nullptr, &on, nullptr,
                                       nullptr)) {
                lit[i] = on != 0;
                continue;
            }
            if (!haveCoreState) {
                if (m_getIndicatorState(m_display, XkbUseCoreKbd, &coreState) != Success)
                    return {};
                haveCoreState = true;
            }
            lit[i] = (coreState & coreIndicatorBits[i]) != 0;
        }
        return {lit[0], lit[1], lit[2], true};
    }

private:
    template<typename Fn>
    void resolve(Fn &function, const char *name)
    {
        function = reinterpret_cast<Fn>(dlsym(m_library, name));
    }

    void *m_library = nullptr;
    Display *m_display = nullptr;
    OpenDisplayFn m_openDisplay = nullptr;
    CloseDisplayFn m_closeDisplay = nullptr;
    InternAtomFn m_internAtom = nullptr;
    GetIndicatorStateFn m_getIndicatorState = nullptr;
    GetNamedIndicatorFn m_getNamedIndicator = nullptr;
    std::array<Atom, 3> m_indicatorAtoms = {};
};

} // namespace

KeyLockState readX11KeyLocks()
{
    static const X11Keyboard keyboard;
    return keyboard.read();
}

} // namespace vornel
