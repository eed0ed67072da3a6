// Radio transfer commands; filled in with the transfer engine.
#include "cli/Commands.h"

namespace corvane {

static int NotBuilt(CliContext &ctx)
{
    ctx.err << "corvane-cli: radio transfers are not available in this build\n";
    return Exit::Usage;
}

int CmdRead(CliContext &ctx) { return NotBuilt(ctx); }
int CmdWrite(CliContext &ctx) { return NotBuilt(ctx); }
int CmdSimulate(CliContext &ctx) { return NotBuilt(ctx); }

} // namespace corvane
