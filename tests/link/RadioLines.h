#pragma once
// Virtual radios on pseudo-terminals in this process, each served on its
// own thread (unpaced, or paced at baud), until Stop or destruction.
#include "link/PtyEndpoint.h"
#include "link/RadioSimulator.h"
#include "link/VirtualRadio.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace corvane::test {

class RadioLines {
public:
    RadioLines(const MemoryImage &memory, const std::vector<RadioFaults> &faults, int baud = 0)
    {
        for (const RadioFaults &f : faults) {
            m_lines.push_back(std::make_unique<Line>(memory, f, baud));
            EXPECT_TRUE(m_lines.back()->pty.IsOpen()) << m_lines.back()->pty.error().toStdString();
        }
        for (auto &line : m_lines)
            line->thread = std::thread([this, l = line.get()] { l->simulator.Run(m_stop); });
    }
    ~RadioLines() { Stop(); }
    void Stop()
    {
        m_stop = true;
        for (auto &line : m_lines)
            if (line->thread.joinable())
                line->thread.join();
    }
    QString Path(int i) const { return m_lines[std::size_t(i)]->path; }
    const VirtualRadio &Radio(int i) const { return m_lines[std::size_t(i)]->radio; }
    // Read and write requests radio i has taken; any thread, any time.
    int Requests(int i) const { return m_lines[std::size_t(i)]->simulator.Requests(); }

private:
    struct Line {
        Line(const MemoryImage &m, const RadioFaults &f, int baud) : radio(m, f), simulator(radio, pty, baud)
        {
            if (pty.Open())
                path = pty.SlavePath();
        }
        VirtualRadio radio;
        PtyEndpoint pty;
        RadioSimulator simulator;
        QString path;
        std::thread thread;
    };
    std::atomic<bool> m_stop{false};
    std::vector<std::unique_ptr<Line>> m_lines;
};

} // namespace corvane::test
