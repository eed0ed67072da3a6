#pragma once
// The progress of a fleet on standard error: one line per port, redrawn in
// place ("COM1  write [#####.....]  461/1946", then the port's result when
// it has finished). Drawn at most ten times a second; nothing at all when
// disabled (standard error is not a terminal).
#include "link/FleetTypes.h"

#include <QElapsedTimer>
#include <QStringList>
#include <vector>

namespace corvane {

class FleetProgress {
public:
    FleetProgress(const std::vector<FleetTarget> &targets, bool enabled);

    void Update(int index, FleetPhase phase, int done, int total);
    void Finished(int index, const QString &result);
    // Draws the last state (once, after every port has finished).
    void Finish();

    // The line of one port still at work.
    static QString Line(const QString &name, int nameWidth, FleetPhase phase, int done, int total);

private:
    void Draw(bool force);

    bool m_enabled;
    int m_nameWidth = 0;
    QStringList m_names;
    std::vector<QString> m_lines;
    bool m_drawn = false;
    QElapsedTimer m_sinceDraw;
};

} // namespace corvane
