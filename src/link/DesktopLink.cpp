#include "link/DesktopLink.h"

#include "app/AppState.h"
#include "link/QtSerialPort.h"
#include "link/SystemClock.h"

namespace {
struct Hooks {
    DesktopLink::PortFactory port;
    DesktopLink::ClockFactory clock;
    Prompts::Message message;
};

Hooks &Current()
{
    static Hooks hooks;
    return hooks;
}
} // namespace

std::unique_ptr<corvane::SerialPort> DesktopLink::NewPort(const AppState &app)
{
    if (Current().port)
        return Current().port(app);
    return std::make_unique<corvane::QtSerialPort>(&app.settings, &app.bundle);
}

std::unique_ptr<corvane::Clock> DesktopLink::NewClock()
{
    if (Current().clock)
        return Current().clock();
    return std::make_unique<corvane::SystemClock>();
}

QMessageBox::StandardButton DesktopLink::Message(QWidget *parent, const AppState &app, const QString &text,
                                                 QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    if (Current().message)
        return Current().message(parent, app.MessageCaption(), text, buttons);
    QMessageBox box(icon, app.MessageCaption(), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DesktopLink::SetPortFactory(PortFactory factory) { Current().port = std::move(factory); }
void DesktopLink::SetClockFactory(ClockFactory factory) { Current().clock = std::move(factory); }
void DesktopLink::SetMessageHook(Prompts::Message hook) { Current().message = std::move(hook); }
