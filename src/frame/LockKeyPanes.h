#pragma once
// The Caps Lock, Num Lock and Scroll Lock panes of the status bar: a pane
// shows its name in the normal text colour while its key is locked and
// greyed while it is not. The state is read from the window system where it
// can be (on X11 the keyboard's indicators): at start, after each press or
// release of a lock key and whenever the program becomes active again, so
// a lock changed in another program shows too. Where it cannot be read, a
// press of a lock key in the program toggles its pane (starting unlocked).
#include <QObject>
#include <functional>
#include <optional>

class QLabel;

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The window system's lock state; nothing where it cannot be read.
std::optional<LockKeyState> ReadSystemLockKeys();

class LockKeyPanes : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<std::optional<LockKeyState>()>;

    // Watches the application's key events; the panes belong to the caller.
    LockKeyPanes(QLabel *caps, QLabel *num, QLabel *scroll, QObject *parent = nullptr,
                 Reader reader = ReadSystemLockKeys);

    // Reads the state again and shows it.
    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Show();

    QLabel *m_caps;
    QLabel *m_num;
    QLabel *m_scroll;
    Reader m_reader;
    LockKeyState m_state;
};
