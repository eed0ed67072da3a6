#pragma once
// What the desktop program's transfers and port setup reach the outside
// world through: a serial port (the real one on QSerialPort, with the
// settings' [Ports] mapping and open failures in the interface language),
// the clock, and message boxes. Tests install fakes; nullptr restores the
// real ones.
#include "app/Prompts.h"
#include "link/Clock.h"
#include "link/SerialPort.h"

#include <functional>
#include <memory>

struct AppState;

class DesktopLink {
public:
    using PortFactory = std::function<std::unique_ptr<corvane::SerialPort>(const AppState &app)>;
    using ClockFactory = std::function<std::unique_ptr<corvane::Clock>()>;

    static std::unique_ptr<corvane::SerialPort> NewPort(const AppState &app);
    static std::unique_ptr<corvane::Clock> NewClock();
    // A message box with the application's caption; returns the button.
    static QMessageBox::StandardButton Message(QWidget *parent, const AppState &app, const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::Icon icon = QMessageBox::Warning);

    static void SetPortFactory(PortFactory factory);
    static void SetClockFactory(ClockFactory factory);
    static void SetMessageHook(Prompts::Message hook);
};
