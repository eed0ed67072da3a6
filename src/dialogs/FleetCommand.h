#pragma once
// Program > Write to Several Radios: the pending cell edit of the active
// view is committed and the grid encoded into the image (as for Write),
// then the fleet dialog runs over a copy of that image with the system's
// serial devices. A cell edit that is rejected (its message has been
// shown) leaves the dialog closed, so no radio gets an image the user was
// asked to correct.
#include <functional>

class CFleetDlg;
class CProgramView;
class QWidget;
struct AppState;

class FleetCommand {
public:
    static void Run(AppState &app, CProgramView &view, QWidget *parent);

    // Runs the dialog instead of exec(); nullptr restores exec(). For tests.
    static void SetExecHook(std::function<void(CFleetDlg &)> hook);
};
