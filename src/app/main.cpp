// Corvane: the desktop programming tool.
//
// CORVANE_SCRIPTED=1 makes a run that needs nobody at the screen: message
// boxes go to standard error, and the program prints the time to its first
// painted main window and exits (start-up measurements, smoke tests).
#include "app/AppState.h"
#include "app/CProgramApp.h"
#include "frame/CMainFrame.h"
#include "settings/CProfileFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

namespace {

// Ends a scripted run once the main window has painted.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(const QElapsedTimer &clock) : m_clock(clock) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && !m_seen && widget && qobject_cast<CMainFrame *>(widget->window())) {
            m_seen = true;
            std::fprintf(stdout, "first paint %lld ms\n", static_cast<long long>(m_clock.elapsed()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    const QElapsedTimer &m_clock;
    bool m_seen = false;
};

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication qapp(argc, argv);
    CProfileFile::SetProgramPath(QString::fromLocal8Bit(argv[0]));
    const bool scripted = qEnvironmentVariableIntValue("CORVANE_SCRIPTED") != 0;

    AppState state;
    CProgramApp app(state, scripted ? Prompts::Scripted() : Prompts::Interactive(&state.bundle));
    FirstPaintProbe probe(clock);
    if (scripted)
        qapp.installEventFilter(&probe);
    if (!app.InitInstance(qapp.arguments().mid(1)))
        return 1;
    return qapp.exec();
}
