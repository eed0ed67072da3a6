#include "link/TransferCommands.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "link/TransferController.h"

#include <algorithm>
#include <iterator>

namespace TransferCommands {

bool AllowedWhileRunning(int command)
{
    static const int allowed[] = {Cmd::Read,       Cmd::Write,         Cmd::Verify,     Cmd::FileNew,
                                  Cmd::FileOpen,   Cmd::FileClose,     Cmd::AppExit,    Cmd::ViewToolbar,
                                  Cmd::ViewStatusBar, Cmd::ControlBar, Cmd::ChannelInfo, Cmd::Help,
                                  Cmd::NextPane,   Cmd::PrevPane};
    return std::find(std::begin(allowed), std::end(allowed), command) != std::end(allowed);
}

void Register(CMainFrame &frame)
{
    CommandRouter &router = frame.Router();
    const auto forActiveView = [&frame](void (TransferController::*handler)()) {
        return [&frame, handler] {
            if (CChildFrame *child = frame.ActiveChild())
                (child->GetView()->Transfer().*handler)();
        };
    };
    const auto hasView = [&frame] { return frame.ActiveChild() != nullptr; };
    router.Set(Cmd::Read, {forActiveView(&TransferController::OnRead), hasView, {}});
    router.Set(Cmd::Write, {forActiveView(&TransferController::OnWrite), hasView, {}});
    router.Set(Cmd::Verify, {forActiveView(&TransferController::OnVerify), hasView, {}});
    router.Set(Cmd::ComSetup, {forActiveView(&TransferController::OnComSetup), hasView, {}});
    router.SetGate([](int command) { return !TransferController::AnyRunning() || AllowedWhileRunning(command); });
}

} // namespace TransferCommands
