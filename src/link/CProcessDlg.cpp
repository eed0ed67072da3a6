#include "link/CProcessDlg.h"

#include "app/CommandIds.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
constexpr int kIdProgress = 1001;
constexpr int kIdCounter = 1009;
constexpr int kInitialRange = 305; // replaced by the transfer before its first step
} // namespace

CProcessDlg::CProcessDlg(QWidget *parent) : QDialog(parent), m_builder(this)
{
    setObjectName(QStringLiteral("processDialog"));
    setModal(false);
    // Caption, system menu and close box; a fixed size, so no maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
}

QPushButton *CProcessDlg::OkButton() const { return m_builder.Get<QPushButton>(1); }
QPushButton *CProcessDlg::CancelButton() const { return m_builder.Get<QPushButton>(2); }
QLabel *CProcessDlg::Counter() const { return m_builder.Get<QLabel>(kIdCounter); }

void CProcessDlg::Create()
{
    if (!m_built) {
        m_builder.Build(Res::ProcessDialog);
        m_progress = m_builder.Get<QProgressBar>(kIdProgress);
        m_built = true;
    }
    if (m_progress) {
        m_progress->setRange(0, kInitialRange);
        m_progress->setValue(0);
    }
    SetCounterText(QStringLiteral("0"));
    if (QPushButton *ok = OkButton())
        ok->setEnabled(true);
    setWindowTitle(m_strTitle);
    m_bCancel = false;
    m_created = true;
    show();
    // Centred over the window it belongs to, else on its screen.
    const QRect over = parentWidget() ? parentWidget()->window()->frameGeometry()
                                      : (screen() ? screen()->availableGeometry() : QRect());
    if (over.isValid())
        move(over.center() - rect().center());
    raise();
    activateWindow();
    if (QPushButton *ok = OkButton())
        ok->setFocus(Qt::OtherFocusReason);
}

void CProcessDlg::Destroy()
{
    const bool hadFocus = windowHandle() && QGuiApplication::focusWindow() == windowHandle();
    m_created = false;
    hide();
    // The keyboard goes back to the window the dialog belongs to (also
    // where no window manager hands it back).
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (hadFocus && owner && owner->windowHandle())
        QTimer::singleShot(0, owner, [owner] { owner->windowHandle()->requestActivate(); });
}

void CProcessDlg::SetRange(int steps)
{
    if (m_progress)
        m_progress->setRange(0, steps);
}

int CProcessDlg::StepIt()
{
    if (!m_progress)
        return 0;
    m_progress->setValue(qMin(m_progress->value() + 1, m_progress->maximum()));
    return m_progress->value();
}

void CProcessDlg::SetCounterText(const QString &text)
{
    if (QLabel *counter = Counter())
        counter->setText(text);
}

void CProcessDlg::accept()
{
    QPushButton *ok = OkButton();
    if (!m_created || (ok && !ok->isEnabled()))
        return;
    if (ok)
        ok->setEnabled(false);
    emit StartTransfer();
}

void CProcessDlg::reject()
{
    m_bCancel = true;
    const QPushButton *ok = OkButton();
    if (!ok || ok->isEnabled())
        Destroy();
}
