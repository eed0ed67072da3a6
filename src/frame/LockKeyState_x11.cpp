// The lock state from the X server's keyboard indicators.
#include "frame/LockKeyPanes.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display *display, const char *name)
{
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}

} // namespace

std::optional<LockKeyState> ReadSystemLockKeys()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    LockKeyState s;
    s.caps = IndicatorOn(display, "Caps Lock");
    s.num = IndicatorOn(display, "Num Lock");
    s.scroll = IndicatorOn(display, "Scroll Lock");
    return s;
}
