#include "frame/CommandRouter.h"

#include <QAction>

void CommandRouter::Set(int id, Handler handler)
{
    m_handlers.insert(id, std::move(handler));
    UpdateUI();
}

void CommandRouter::Remove(int id)
{
    m_handlers.remove(id);
    UpdateUI();
}

void CommandRouter::SetGate(std::function<bool(int id)> allowed)
{
    m_gate = std::move(allowed);
    UpdateUI();
}

bool CommandRouter::IsEnabled(int id) const
{
    const auto it = m_handlers.constFind(id);
    return it != m_handlers.constEnd() && (!m_gate || m_gate(id)) && (!it->enabled || it->enabled());
}

bool CommandRouter::Execute(int id)
{
    if (!IsEnabled(id))
        return false;
    // A copy: the handler may replace or remove itself while it runs.
    const std::function<void()> run = m_handlers.value(id).run;
    if (run)
        run();
    UpdateUI();
    return true;
}

QAction *CommandRouter::NewAction(int id, const QString &text, QObject *parent)
{
    auto *a = new QAction(text, parent);
    a->setData(id);
    m_actions.insert(id, a);
    connect(a, &QAction::triggered, this, [this, id] { Execute(id); });
    connect(a, &QObject::destroyed, this, [this, id, a] { m_actions.remove(id, a); });
    const auto it = m_handlers.constFind(id);
    a->setEnabled(IsEnabled(id));
    if (it != m_handlers.constEnd() && it->checked) {
        a->setCheckable(true);
        a->setChecked(it->checked());
    }
    return a;
}

void CommandRouter::UpdateUI()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        QAction *a = it.value();
        const auto h = m_handlers.constFind(it.key());
        const bool check = h != m_handlers.constEnd() && bool(h->checked);
        a->setEnabled(IsEnabled(it.key()));
        a->setCheckable(check);
        if (check)
            a->setChecked(h->checked());
    }
}
