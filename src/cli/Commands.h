#pragma once
// The commands of corvane-cli. Each takes the prepared context and returns
// the process exit status (see Exit in CliContext.h).
#include "cli/CliContext.h"

namespace corvane {

int CmdNew(CliContext &ctx);
int CmdShow(CliContext &ctx);
int CmdOptions(CliContext &ctx);
int CmdImport(CliContext &ctx);
// Needs a QGuiApplication (fonts); main() makes one for this command only.
int CmdPrint(CliContext &ctx);

int CmdRead(CliContext &ctx);
int CmdWrite(CliContext &ctx);
int CmdSimulate(CliContext &ctx);
int CmdFleet(CliContext &ctx);

} // namespace corvane
