#pragma once
// The radio commands of the main window, handled by the active channel
// view: Read (32773), Write (32774), Verify (32800) and Com Setup (32777),
// available whenever a channel window exists.
//
// While a transfer runs, only commands that cannot disturb it stay
// enabled: the transfer commands themselves (which then change nothing),
// the commands that stop the transfer first (New, Open, Close, Exit), the
// View entries, Channel Information and help. Everything else, present or
// future, waits: a dialog that edits the image, a save or an import in the
// middle of a transfer would leave the radio, the image and the grid
// disagreeing.
class CMainFrame;

namespace TransferCommands {

void Register(CMainFrame &frame);
bool AllowedWhileRunning(int command);

} // namespace TransferCommands
