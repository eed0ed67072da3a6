#include "frame/LockKeyPanes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

LockKeyPanes::LockKeyPanes(QLabel *caps, QLabel *num, QLabel *scroll, QObject *parent, Reader reader)
    : QObject(parent), m_caps(caps), m_num(num), m_scroll(scroll), m_reader(std::move(reader))
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
    Refresh();
}

void LockKeyPanes::Refresh()
{
    if (const std::optional<LockKeyState> s = m_reader ? m_reader() : std::nullopt)
        m_state = *s;
    Show();
}

void LockKeyPanes::Show()
{
    m_caps->setEnabled(m_state.caps);
    m_num->setEnabled(m_state.num);
    m_scroll->setEnabled(m_state.scroll);
}

bool LockKeyPanes::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationActivate) {
        Refresh();
        return false;
    }
    // A key event reaches its window once, then each widget it is offered
    // to: only the window's delivery counts.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    bool *locked = key->key() == Qt::Key_CapsLock     ? &m_state.caps
                   : key->key() == Qt::Key_NumLock    ? &m_state.num
                   : key->key() == Qt::Key_ScrollLock ? &m_state.scroll
                                                      : nullptr;
    if (!locked)
        return false;
    if (const std::optional<LockKeyState> read = m_reader ? m_reader() : std::nullopt)
        m_state = *read;
    else if (type == QEvent::KeyPress && !key->isAutoRepeat())
        *locked = !*locked;
    Show();
    return false;
}
