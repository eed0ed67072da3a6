#pragma once
// The modeless progress dialog of a radio transfer (template 131): progress
// bar 1001, counter 1009, OK (1) and Cancel (2). One object per channel
// view; only its window comes and goes: Create() shows it afresh (bar at 0,
// counter "0", OK enabled, m_bCancel clear, caption m_strTitle), Destroy()
// takes it away.
//
// OK disables itself and asks for the transfer to start (StartTransfer,
// to be connected queued, as a posted message). Cancel, Escape and the
// close box: before OK they set m_bCancel and close the window; while the
// transfer runs they only set m_bCancel, and the transfer closes the
// window when it notices. The dialog is also the transfer's progress sink.
#include "app/DialogBuilder.h"
#include "link/ProgressSink.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class CProcessDlg : public QDialog, public corvane::ProgressSink {
    Q_OBJECT
public:
    explicit CProcessDlg(QWidget *parent = nullptr);

    void Create();
    void Destroy();
    bool IsWindowCreated() const { return m_created; }

    // ProgressSink: the bar's range, one step, and the counter text.
    void SetRange(int steps) override;
    int StepIt() override;
    void SetCounterText(const QString &text) override;

    QPushButton *OkButton() const;
    QPushButton *CancelButton() const;
    QLabel *Counter() const;

    bool m_bCancel = false;
    QString m_strTitle;
    QProgressBar *m_progress = nullptr;

signals:
    void StartTransfer();

public slots:
    void accept() override; // OnOK
    void reject() override; // OnCancel

private:
    DialogBuilder m_builder;
    bool m_built = false;
    bool m_created = false;
};
