#pragma once
// What corvane-cli read and write share: the options --retries N and
// --log FILE, the real port, the progress bar, Ctrl+C, and the mapping of
// a transfer's outcome to messages and exit statuses.
#include "cli/CliContext.h"
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QFile>

namespace corvane {

class TransferSession {
public:
    explicit TransferSession(CliContext &ctx);

    // Takes --retries and --log. On a bad value prints why and returns the
    // exit status; 0 when ready.
    int Prepare();

    // One transfer on the named port. A read fills image only when it
    // completes; a write sends image as it is.
    Result Run(const QString &port, MemoryImage &image, bool write);

    // Prints the failure of r to err: the string-table text, the detail,
    // the port and its device, and for a write that had begun that the
    // radio now holds a partly written memory.
    void Report(const Result &r);
    static int ExitCode(const Result &r);

private:
    CliContext &m_ctx;
    int m_retries = 0;
    QFile m_log;
    // Of the last transfer, for Report.
    QString m_portLine;
    bool m_write = false;
    bool m_writeBegun = false;
};

} // namespace corvane
