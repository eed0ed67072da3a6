#include "cli/TerminalProgress.h"

#include <cstdio>

namespace corvane {

namespace {
constexpr int kBarWidth = 40;
}

TerminalProgress::TerminalProgress(const QByteArray &label, bool enabled) : m_label(label), m_enabled(enabled) {}

TerminalProgress::~TerminalProgress() { Finish(); }

QByteArray TerminalProgress::Render(const QByteArray &label, int done, int total, int width)
{
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(done) * width / total) : 0;
    const QByteArray count = QByteArray::number(done).rightJustified(QByteArray::number(total).size(), ' ');
    return label.leftJustified(6, ' ') + '[' + QByteArray(filled, '#') + QByteArray(width - filled, '.') + "] "
           + count + '/' + QByteArray::number(total);
}

void TerminalProgress::BlocksDone(int done, int total)
{
    if (!m_enabled)
        return;
    const QByteArray text = Render(m_label, done, total, kBarWidth);
    if (text == m_last)
        return;
    m_last = text;
    std::fprintf(stderr, "\r%s", text.constData());
    std::fflush(stderr);
}

void TerminalProgress::Finish()
{
    if (m_enabled && !m_last.isEmpty())
        std::fputc('\n', stderr);
    m_last.clear();
}

} // namespace corvane
