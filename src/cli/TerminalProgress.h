#pragma once
// The transfer's progress as a one-line bar on standard error, blocks done
// of the blocks to move ("read  [#####.....]  512/1024"). Draws nothing
// when disabled (standard error is not a terminal).
#include "link/ProgressSink.h"

#include <QByteArray>

namespace corvane {

class TerminalProgress : public ProgressSink {
public:
    TerminalProgress(const QByteArray &label, bool enabled);
    ~TerminalProgress() override;

    void SetRange(int steps) override { m_range = steps; }
    int StepIt() override { return ++m_pos; }
    void SetCounterText(const QString &) override {}
    void BlocksDone(int done, int total) override;
    // Ends the bar's line, once drawn.
    void Finish();

    // The bar's text for done of total blocks, width characters of bar.
    static QByteArray Render(const QByteArray &label, int done, int total, int width);

private:
    QByteArray m_label;
    bool m_enabled;
    int m_range = 0;
    int m_pos = 0;
    QByteArray m_last;
};

} // namespace corvane
