#pragma once
// Write to Several Radios: one row per port (COM1 to COM4 with the device
// each stands for, then the system's serial devices), each with a check
// box, a progress bar and a status text; "Verify after writing" (on by
// default); Start; Cancel; at the end a summary and Save Report.
//
// Start writes the image it was given into every checked port at once
// (FleetRunner); the rows follow the ports as they work. Cancel stops
// every port after its current block and the dialog stays open until all
// have ended; closing the window while ports work does the same. When all
// have ended, the dialog may be started again for the next radios.
// Save Report writes the report as CSV and asks before replacing a file;
// prompts.saveFile must not ask that itself.
#include "app/Prompts.h"
#include "link/FleetRunner.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;
struct AppState;

class CFleetDlg : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString documentName;          // shown in the instruction line
        QString reportName;            // proposed path of the report
        corvane::MemoryImage image;    // written as it is
        std::vector<corvane::FleetTarget> candidates; // an empty device: shown, not selectable
        corvane::FleetRunner::PortFactory ports;
        Prompts prompts;
    };

    // String-table texts of the dialog.
    enum TextId {
        IdCaption = 61810,
        IdInstruction = 61811, // %1 document name
        IdVerify = 61812,
        IdStart = 61813,
        IdCancel = 61814,
        IdClose = 61815,
        IdSaveReport = 61816,
        IdNoDevice = 61817,
        IdWaiting = 61818,
        IdConnecting = 61819,
        IdWriting = 61820,
        IdVerifying = 61821,
        IdChooseAPort = 61822,
        IdSameDevice = 61823, // %1 which ports
        IdReportTitle = 61824,
        IdReportFilter = 61825,
        IdReportFailed = 61827, // %1 file
        IdCancelling = 61828,
        IdPortsAndTime = 61829, // %1 ports, %2 seconds
    };

    CFleetDlg(AppState &app, Setup setup, QWidget *parent = nullptr);
    ~CFleetDlg() override;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    QCheckBox *PortCheck(int row) const { return m_rows[std::size_t(row)].check; }
    QProgressBar *Bar(int row) const { return m_rows[std::size_t(row)].bar; }
    QLabel *StatusText(int row) const { return m_rows[std::size_t(row)].status; }
    QCheckBox *VerifyCheck() const { return m_verify; }
    QPushButton *StartButton() const { return m_start; }
    QPushButton *CancelButton() const { return m_cancel; }
    QPushButton *SaveButton() const { return m_save; }
    QLabel *Summary() const { return m_summary; }
    corvane::FleetRunner &Runner() { return *m_runner; }
    const corvane::MemoryImage &Image() const { return m_setup.image; }

public slots:
    void OnStart();
    void OnCancel();
    void OnSaveReport();
    // While ports work: the same as Cancel; the window stays.
    void reject() override;

protected:
    // F1 asks help for the command that opened the dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row {
        corvane::FleetTarget target;
        QCheckBox *check = nullptr;
        QProgressBar *bar = nullptr;
        QLabel *status = nullptr;
        corvane::FleetPhase phase = corvane::FleetPhase::Writing;
        int phaseStart = -1; // blocks done when the phase began; -1 before, -2 ended
    };

    QWidget *BuildPortTable();
    void BuildButtons();
    void SetRunning(bool running);
    void OnPortProgress(int index, corvane::FleetPhase phase, int done, int total);
    void OnPortFinished(int index);
    void OnFinished();
    QString Text(int id) const;
    QMessageBox::StandardButton Ask(const QString &text, QMessageBox::StandardButtons buttons);

    AppState &m_app;
    Setup m_setup;
    std::vector<Row> m_rows;
    std::vector<int> m_rowOfPort; // runner index -> row
    QCheckBox *m_verify = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_save = nullptr;
    QLabel *m_summary = nullptr;
    QElapsedTimer m_elapsed;
    std::unique_ptr<corvane::FleetRunner> m_runner;
};
