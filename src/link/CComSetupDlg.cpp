#include "link/CComSetupDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "app/HelpService.h"
#include "link/DesktopLink.h"
#include "link/LinkStrings.h"
#include "link/PortNames.h"
#include "link/PortSetup.h"
#include "settings/UserStore.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

namespace {
constexpr int kFirstRadio = 1007;
constexpr int kFirstDeviceLabel = 1011;

UserStore Store(const AppState &app) { return UserStore(CProfileFile::Decode(app.RegistryName())); }
} // namespace

CComSetupDlg::CComSetupDlg(AppState &app, QString &portName, QWidget *parent)
    : QDialog(parent), m_app(app), m_portName(portName), m_builder(this)
{
    setObjectName(QStringLiteral("comSetupDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    m_builder.Build(Res::ComSetupDialog);
    OnInitDialog();
}

void CComSetupDlg::OnInitDialog()
{
    const std::unique_ptr<corvane::SerialPort> port = DesktopLink::NewPort(m_app);
    const std::array<bool, 4> usable = corvane::ProbePorts(*port);
    for (int n = 1; n <= corvane::kComPortCount; ++n) {
        if (QWidget *button = Control(kFirstRadio + n - 1))
            button->setEnabled(usable[static_cast<std::size_t>(n - 1)]);
        ShowDevice(n, port->DeviceFor(corvane::ComPortName(n)));
    }
    m_nCom = corvane::ReadStoredCom(Store(m_app)) - 1;
    QButtonGroup *group = m_builder.RadioGroup(kFirstRadio);
    if (!group)
        return;
    if (auto *b = qobject_cast<QRadioButton *>(Control(kFirstRadio + m_nCom)); b && m_nCom >= 0 && m_nCom < 4) {
        b->setChecked(true);
    } else if (QAbstractButton *checked = group->checkedButton()) {
        // An exclusive group keeps one button checked; none is wanted here.
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

void CComSetupDlg::ShowDevice(int number, const QString &device)
{
    auto *label = m_builder.Get<QLabel>(kFirstDeviceLabel + number - 1);
    if (!label)
        return;
    const QString text = device.isEmpty() ? m_app.bundle.String(Ids::NoDevice) : device;
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->width()));
    label->setToolTip(text);
}

void CComSetupDlg::accept()
{
    const QButtonGroup *group = m_builder.RadioGroup(kFirstRadio);
    m_nCom = group ? group->checkedId() : -1;
    m_portName = corvane::ComPortName(m_nCom + 1);
    UserStore store = Store(m_app);
    corvane::WriteStoredCom(store, m_nCom + 1);
    QDialog::accept();
}

void CComSetupDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1)
        HelpService::Show(m_app.helpFile, kHelpContext);
    QDialog::keyPressEvent(event);
}
