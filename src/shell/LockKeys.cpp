#include "shell/LockKeys.h"

#include <QGuiApplication>

#ifdef PLIM_HAVE_XKB
// After Qt: the X headers define names (Bool, None, KeyPress, ...) that Qt's headers use.
#include <X11/XKBlib.h>
#endif

LockKeyReader PlatformLockKeyReader()
{
#ifdef PLIM_HAVE_XKB
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return {};
    int opcode = 0, event = 0, error = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        return {};
    // The indicators are found by name: their numbers differ from one keyboard map to another.
    auto indicatorBit = [display](const char* name) -> unsigned {
        const Atom atom = XInternAtom(display, name, False);
        int index = -1;
        if (atom == None ||
            !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr) || index < 0 ||
            index >= XkbNumIndicators)
            return 0;
        return 1u << index;
    };
    const unsigned caps = indicatorBit("Caps Lock");
    const unsigned num = indicatorBit("Num Lock");
    const unsigned scroll = indicatorBit("Scroll Lock");
    if (!caps && !num && !scroll)
        return {};
    return [display, caps, num, scroll]() -> std::optional<SLockKeys> {
        unsigned state = 0;
        if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
            return std::nullopt;
        return SLockKeys{(state & caps) != 0, (state & num) != 0, (state & scroll) != 0};
    };
#else
    return {};
#endif
}
