#pragma once
// The COM Setup dialog (template 135): radio buttons 1007-1010 for COM1 to
// COM4, each with the device it stands for beneath it (labels 1011-1014,
// from the mapping the transfer uses). On opening it tries to open each
// port and disables the buttons of ports that are busy or absent, and
// selects the stored choice "com" of the per-user store (COM1 when there
// is none; nothing when it lies outside 1 to 4), even a disabled one.
// OK sets the view's port name to "com<n>" and stores n; Cancel changes
// nothing. F1 asks help for context 32777.
#include "app/DialogBuilder.h"

#include <QDialog>

struct AppState;

class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 32777;

    // portName is the view's port name, set on OK.
    CComSetupDlg(AppState &app, QString &portName, QWidget *parent = nullptr);

    int m_nCom = -1; // 0 for COM1 to 3 for COM4, -1 for none

    QWidget *Control(int id) const { return m_builder.Control(id); }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnInitDialog();
    void ShowDevice(int number, const QString &device);

    AppState &m_app;
    QString &m_portName;
    DialogBuilder m_builder;
};
