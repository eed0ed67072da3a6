#pragma once
// A running `corvane-cli simulate` on a pseudo-terminal; stopped (SIGTERM)
// when destroyed. path is the device the program opens.
#include <QProcess>
#include <QStringList>

namespace corvane::test {

class Simulator {
public:
    explicit Simulator(const QStringList &options)
    {
        m_process.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), QStringList{"simulate"} + options);
        while (m_process.waitForReadyRead(10000) && !m_process.canReadLine()) {
        }
        path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator() { Stop(); }
    int Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
        return m_process.exitCode();
    }

    QString path;

private:
    QProcess m_process;
};

} // namespace corvane::test
