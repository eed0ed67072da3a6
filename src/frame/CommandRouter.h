#pragma once
// Command routing of the main window: every menu entry, toolbar button and
// accelerator is an action carrying a command id; the command runs the
// handler registered under that id. A command without a handler is shown
// disabled, so entries whose work is not there yet stay visible and inert.
// UpdateUI() refreshes the enabled and check states of all actions; the
// frame calls it before a menu opens and after every command.
#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <functional>

class QAction;

class CommandRouter : public QObject {
    Q_OBJECT
public:
    struct Handler {
        std::function<void()> run;
        std::function<bool()> enabled;  // empty: always enabled
        std::function<bool()> checked;  // empty: not a check entry
    };

    explicit CommandRouter(QObject *parent = nullptr) : QObject(parent) {}

    void Set(int id, Handler handler);
    // A second condition every command must meet to be enabled (for
    // instance: not while a radio transfer runs); empty: none.
    void SetGate(std::function<bool(int id)> allowed);
    void Remove(int id);
    bool Has(int id) const { return m_handlers.contains(id); }
    bool IsEnabled(int id) const;
    // Runs the handler when present and enabled; false otherwise.
    bool Execute(int id);

    // A new action for command `id`, owned by `parent`.
    QAction *NewAction(int id, const QString &text, QObject *parent);
    QList<QAction *> Actions(int id) const { return m_actions.values(id); }
    void UpdateUI();

private:
    QHash<int, Handler> m_handlers;
    std::function<bool(int id)> m_gate;
    QMultiHash<int, QAction *> m_actions;
};
