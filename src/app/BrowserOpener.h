#pragma once
// Opens a page of the manual in the desktop's web browser.
//
// Where "xdg-open" exists it is started and watched: it dispatches to the
// desktop's own opener, and when it finds no browser it ends with a failure
// status, which `failed` then hears about (later, from the event loop).
// Without it, QDesktopServices is asked, which says at once whether
// anything could be started.
#include <QUrl>
#include <functional>

namespace BrowserOpener {

// False when nothing could be started; `failed` runs when a started
// opener reports that it could not show the page.
bool Open(const QUrl &page, std::function<void()> failed);

} // namespace BrowserOpener
