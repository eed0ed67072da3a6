#include "link/FleetPortJob.h"

#include "link/ProgressSink.h"
#include "link/Protocol.h"
#include "link/TransferEngine.h"
#include "link/WriteCompare.h"

#include <chrono>

namespace corvane {

int FleetJobBlocks(FleetJob job)
{
    switch (job) {
    case FleetJob::Write: return Proto::WriteBlocks;
    case FleetJob::WriteVerify: return Proto::WriteBlocks + Proto::ReadBlocks;
    case FleetJob::Verify:
    case FleetJob::Read: return Proto::ReadBlocks;
    }
    return 0;
}

namespace {
// Passes the engine's block count on as job progress, thinned out to about
// 200 calls per phase: a terminal or a progress bar cannot show more, and
// every call may cross to another thread.
class JobProgress : public ProgressSink {
public:
    JobProgress(const FleetPortJob::Progress &progress, FleetPhase phase, int offset, int total)
        : m_progress(progress), m_phase(phase), m_offset(offset), m_total(total)
    {
        if (m_progress)
            m_progress(m_phase, m_offset, m_total);
    }
    void SetRange(int) override {}
    int StepIt() override { return ++m_pos; }
    void SetCounterText(const QString &) override {}
    void BlocksDone(int done, int total) override
    {
        const int slice = total > 0 ? done * 200 / total : 0;
        if (!m_progress || (slice == m_lastSlice && done != total))
            return;
        m_lastSlice = slice;
        m_progress(m_phase, m_offset + done, m_total);
    }

private:
    const FleetPortJob::Progress &m_progress;
    FleetPhase m_phase;
    int m_offset;
    int m_total;
    int m_pos = 0;
    int m_lastSlice = 0;
};
} // namespace

FleetPortJob::FleetPortJob(SerialPort &port, Clock &clock, const std::atomic<bool> &cancel)
    : m_port(port), m_clock(clock), m_cancel(cancel)
{
}

Result FleetPortJob::Transfer(const QString &device, MemoryImage &image, bool write, int retryRounds,
                              FleetPhase phase, int offset, int total, const Progress &progress)
{
    JobProgress sink(progress, phase, offset, total);
    int retries = retryRounds;
    TransferCallbacks cb;
    cb.pump = [this] { return m_cancel.load(std::memory_order_relaxed); };
    cb.commErrorPrompt = [&retries] { return retries-- > 0 ? PromptAnswer::Retry : PromptAnswer::Cancel; };
    cb.progress = &sink;
    TransferEngine engine(m_port, m_clock, image, cb);
    engine.SetWrite(write);
    return engine.Run(device);
}

FleetPortResult FleetPortJob::Run(const FleetTarget &target, const FleetOrder &order, const MemoryImage &image,
                                  const Progress &progress)
{
    const auto start = std::chrono::steady_clock::now();
    FleetPortResult out;
    out.target = target;
    const int total = FleetJobBlocks(order.job);
    if (target.device.isEmpty()) {
        out.result = Result::fail(Status::PortError, QStringLiteral("no serial device for %1").arg(target.name));
        return out;
    }
    const bool writes = order.job == FleetJob::Write || order.job == FleetJob::WriteVerify;
    if (writes) {
        MemoryImage sent = image;
        out.result = Transfer(target.device, sent, true, order.retryRounds, FleetPhase::Writing, 0, total, progress);
    }
    if (out.ok() && order.job != FleetJob::Write) {
        out.phase = order.job == FleetJob::Read ? FleetPhase::Reading : FleetPhase::Verifying;
        MemoryImage radio = image;
        const int offset = writes ? Proto::WriteBlocks : 0;
        out.result = Transfer(target.device, radio, false, order.retryRounds, out.phase, offset, total, progress);
        if (out.ok() && order.job == FleetJob::Read) {
            out.image = radio;
        } else if (out.ok()) {
            const std::vector<int> differ = WriteDifferences(image, radio);
            out.mismatchBytes = static_cast<int>(differ.size());
            if (!differ.empty()) {
                out.firstMismatch = differ.front();
                out.result = Result::fail(Status::Mismatch, QStringLiteral("first difference at 0x%1")
                                                                .arg(QString::number(out.firstMismatch, 16).toUpper()
                                                                         .rightJustified(4, QLatin1Char('0'))));
            }
        }
    }
    out.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                        .count();
    return out;
}

} // namespace corvane
