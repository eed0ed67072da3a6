#include "cli/FleetProgress.h"

#include "cli/TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace corvane {

namespace {
constexpr int kBarWidth = 30;
constexpr int kRedrawMs = 100;

QByteArray PhaseLabel(FleetPhase phase)
{
    switch (phase) {
    case FleetPhase::Writing: return "write";
    case FleetPhase::Verifying: return "verify";
    case FleetPhase::Reading: return "read";
    }
    return QByteArray();
}
} // namespace

FleetProgress::FleetProgress(const std::vector<FleetTarget> &targets, bool enabled) : m_enabled(enabled)
{
    for (const FleetTarget &t : targets) {
        m_names << t.name;
        m_nameWidth = std::max(m_nameWidth, int(t.name.size()));
    }
    m_lines.resize(targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i)
        m_lines[i] = m_names[int(i)].leftJustified(m_nameWidth) + QStringLiteral("  waiting");
}

QString FleetProgress::Line(const QString &name, int nameWidth, FleetPhase phase, int done, int total)
{
    return name.leftJustified(nameWidth) + QStringLiteral("  ")
           + QString::fromLatin1(TerminalProgress::Render(PhaseLabel(phase), done, total, kBarWidth));
}

void FleetProgress::Update(int index, FleetPhase phase, int done, int total)
{
    m_lines[std::size_t(index)] = Line(m_names[index], m_nameWidth, phase, done, total);
    Draw(false);
}

void FleetProgress::Finished(int index, const QString &result)
{
    m_lines[std::size_t(index)] = m_names[index].leftJustified(m_nameWidth) + QStringLiteral("  ") + result;
    Draw(false);
}

void FleetProgress::Finish() { Draw(true); }

void FleetProgress::Draw(bool force)
{
    if (!m_enabled || (!force && m_drawn && m_sinceDraw.isValid() && m_sinceDraw.elapsed() < kRedrawMs))
        return;
    // A line longer than the terminal would wrap and spoil the way back up.
    winsize size{};
    const int columns = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 ? size.ws_col : 80;
    // Back to the first line of the block, then every line cleared and drawn.
    if (m_drawn)
        std::fprintf(stderr, "\x1b[%zuA", m_lines.size());
    for (const QString &line : m_lines)
        std::fprintf(stderr, "\r\x1b[K%s\n", line.left(columns - 1).toLocal8Bit().constData());
    std::fflush(stderr);
    m_drawn = true;
    m_sinceDraw.start();
}

} // namespace corvane
