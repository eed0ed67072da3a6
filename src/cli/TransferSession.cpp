#include "cli/TransferSession.h"

#include "app/LanguageBundle.h"
#include "cli/CancelSignal.h"
#include "cli/TerminalProgress.h"
#include "link/LinkStrings.h"
#include "link/LoggingPort.h"
#include "link/PortNames.h"
#include "link/QtSerialPort.h"
#include "link/SystemClock.h"
#include "link/TransferEngine.h"

#include <QStringList>
#include <unistd.h>

namespace corvane {

TransferSession::TransferSession(CliContext &ctx) : m_ctx(ctx) {}

int TransferSession::Prepare()
{
    if (m_ctx.Flag(QStringLiteral("--retries"))) {
        bool ok = false;
        m_retries = m_ctx.Option(QStringLiteral("--retries")).toInt(&ok);
        if (!ok || m_retries < 0) {
            m_ctx.err << "corvane-cli: --retries takes a number of 0 or more\n";
            return Exit::Usage;
        }
    }
    const QString log = m_ctx.Option(QStringLiteral("--log"));
    if (m_ctx.Flag(QStringLiteral("--log"))) {
        m_log.setFileName(log);
        // Unbuffered: the log can be followed while the transfer runs.
        if (log.isEmpty() || !m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            m_ctx.err << "corvane-cli: cannot write log file " << log << ": " << m_log.errorString() << "\n";
            return Exit::File;
        }
    }
    CancelSignal::Install();
    return Exit::Ok;
}

Result TransferSession::Run(const QString &portName, MemoryImage &image, bool write)
{
    QtSerialPort real(&m_ctx.app.settings, &m_ctx.app.bundle);
    SystemClock clock;
    LoggingPort logged(real, clock, m_log);
    SerialPort &port = m_log.isOpen() ? static_cast<SerialPort &>(logged) : real;
    TerminalProgress progress(write ? "write" : "read", ::isatty(STDERR_FILENO) == 1);

    int retries = m_retries;
    TransferCallbacks cb;
    cb.pump = [] { return CancelSignal::Raised(); };
    cb.progress = &progress;
    cb.commErrorPrompt = [&] {
        if (retries <= 0)
            return PromptAnswer::Cancel;
        --retries;
        progress.Finish();
        m_ctx.err << "corvane-cli: " << m_ctx.Message(Ids::CommError) << " (retrying, " << retries << " left)\n";
        m_ctx.err.flush();
        return PromptAnswer::Retry;
    };
    cb.closeProgressDialog = [&] { progress.Finish(); };

    TransferEngine engine(port, clock, image, cb);
    engine.SetWrite(write);
    const Result r = engine.Run(portName);
    if (m_log.isOpen())
        m_log.flush();
    m_write = write;
    m_writeBegun = engine.WriteBegun();
    m_portLine = r.ok() ? QString()
                        : m_ctx.Message(Ids::PortLine)
                              .arg(PortLabel(portName, real.DeviceFor(portName), m_ctx.Message(Ids::NoDevice)));
    return r;
}

int TransferSession::ExitCode(const Result &r)
{
    switch (r.status) {
    case Status::Ok: return Exit::Ok;
    case Status::PortError: return Exit::Port;
    case Status::CommError: return Exit::Comm;
    case Status::Interrupted:
    case Status::Mismatch: return Exit::Interrupted;
    case Status::Cancelled: return Exit::Cancelled;
    case Status::Usage: return Exit::Usage;
    default: return Exit::File;
    }
}

void TransferSession::Report(const Result &r)
{
    int id = 0;
    switch (r.status) {
    case Status::PortError: id = Ids::PortOpenFail; break;
    case Status::CommError: id = Ids::CommError; break;
    case Status::Interrupted: id = Ids::ProgramInterrupt; break;
    default: break;
    }
    QStringList details;
    if (id == Ids::PortOpenFail) {
        details = r.text.split(QLatin1Char('\n')); // the port's own account names port and device
    } else if (id) {
        details << r.text << m_portLine;
    }
    if (m_write && m_writeBegun)
        details << m_ctx.Message(Ids::PartlyWritten);
    m_ctx.err << "corvane-cli: ";
    if (id)
        m_ctx.err << m_ctx.Message(id) << "\n";
    else if (r.status == Status::Cancelled)
        m_ctx.err << "cancelled\n";
    else
        m_ctx.err << r.text << "\n";
    for (const QString &line : details)
        if (!line.isEmpty())
            m_ctx.err << "  " << line << "\n";
    m_ctx.err.flush();
}

} // namespace corvane
