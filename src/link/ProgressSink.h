#pragma once
// Where a transfer reports its progress: the bar of the progress dialog on
// the desktop, a text bar on a terminal, or nothing.
#include <QString>

namespace corvane {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Range 0..steps; the position is not reset (the sink starts at 0).
    virtual void SetRange(int steps) = 0;
    // Advances one step and returns the new position.
    virtual int StepIt() = 0;
    // The counter text beside the bar ("%d" of the position).
    virtual void SetCounterText(const QString &text) = 0;
    // Called after every acknowledged block: done of total blocks. The
    // desktop dialog has no use for it; a text bar shows blocks.
    virtual void BlocksDone(int done, int total) { (void)done; (void)total; }
};

} // namespace corvane
