#include "dialogs/CFleetDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "app/HelpService.h"
#include "app/SaveFileQuestion.h"
#include "link/FleetPorts.h"
#include "link/FleetReport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace corvane;

namespace {
constexpr int kBarWidth = 160;
constexpr int kStatusWidth = 260;
constexpr int kMaxTableHeight = 340;
constexpr int kEnded = -2; // Row::phaseStart of a port that has finished
} // namespace

CFleetDlg::CFleetDlg(AppState &app, Setup setup, QWidget *parent)
    : QDialog(parent), m_app(app), m_setup(std::move(setup)),
      m_runner(std::make_unique<FleetRunner>(m_setup.ports))
{
    setObjectName(QStringLiteral("fleetDialog"));
    setWindowTitle(Text(IdCaption));
    auto *layout = new QVBoxLayout(this);
    auto *instruction = new QLabel(Text(IdInstruction).arg(m_setup.documentName), this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);

    // The whole table shows without scrolling up to about ten ports.
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(BuildPortTable());
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QSize table = scroll->widget()->sizeHint();
    const int frame = 2 * scroll->frameWidth();
    scroll->setMinimumWidth(table.width() + frame + scroll->verticalScrollBar()->sizeHint().width());
    scroll->setMinimumHeight(std::min(table.height() + frame, kMaxTableHeight));
    layout->addWidget(scroll, 1);

    m_verify = new QCheckBox(Text(IdVerify), this);
    m_verify->setChecked(true);
    layout->addWidget(m_verify);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    BuildButtons();

    connect(m_runner.get(), &FleetRunner::portProgress, this, &CFleetDlg::OnPortProgress);
    connect(m_runner.get(), &FleetRunner::portFinished, this, &CFleetDlg::OnPortFinished);
    connect(m_runner.get(), &FleetRunner::finished, this, &CFleetDlg::OnFinished);
}

// Ports still at work are cancelled and waited for by the runner.
CFleetDlg::~CFleetDlg() = default;

QString CFleetDlg::Text(int id) const { return m_app.bundle.String(id); }

QWidget *CFleetDlg::BuildPortTable()
{
    auto *table = new QWidget;
    auto *grid = new QGridLayout(table);
    const QStringList headings = FleetReport::Headings(m_app.chinese);
    // Port, device, progress (no heading), result.
    for (int c : {0, 1, 3}) {
        auto *h = new QLabel(QStringLiteral("<b>%1</b>").arg(headings[c == 3 ? 2 : c].toHtmlEscaped()), table);
        grid->addWidget(h, 0, c);
    }
    for (const FleetTarget &t : m_setup.candidates) {
        Row row;
        row.target = t;
        const int r = static_cast<int>(m_rows.size()) + 1;
        row.check = new QCheckBox(t.name, table);
        row.check->setEnabled(!t.device.isEmpty());
        const bool comName = t.name != t.device;
        auto *device = new QLabel(t.device.isEmpty() ? Text(IdNoDevice) : comName ? t.device : QString(), table);
        device->setEnabled(!t.device.isEmpty());
        row.bar = new QProgressBar(table);
        row.bar->setFixedWidth(kBarWidth);
        row.bar->setValue(0);
        row.bar->setTextVisible(false);
        row.status = new QLabel(table);
        row.status->setMinimumWidth(kStatusWidth);
        row.status->setWordWrap(true);
        grid->addWidget(row.check, r, 0);
        grid->addWidget(device, r, 1);
        grid->addWidget(row.bar, r, 2);
        grid->addWidget(row.status, r, 3);
        m_rows.push_back(row);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(static_cast<int>(m_rows.size()) + 1, 1);
    return table;
}

void CFleetDlg::BuildButtons()
{
    auto *buttons = new QHBoxLayout;
    m_save = new QPushButton(Text(IdSaveReport), this);
    m_save->setEnabled(false);
    m_start = new QPushButton(Text(IdStart), this);
    m_start->setDefault(true);
    m_cancel = new QPushButton(Text(IdCancel), this);
    buttons->addWidget(m_save);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);
    connect(m_start, &QPushButton::clicked, this, &CFleetDlg::OnStart);
    connect(m_cancel, &QPushButton::clicked, this, &CFleetDlg::OnCancel);
    connect(m_save, &QPushButton::clicked, this, &CFleetDlg::OnSaveReport);
}

QMessageBox::StandardButton CFleetDlg::Ask(const QString &text, QMessageBox::StandardButtons buttons)
{
    return m_setup.prompts.message(this, m_app.MessageCaption(), text, buttons);
}

void CFleetDlg::OnStart()
{
    if (m_runner->IsRunning())
        return;
    std::vector<FleetTarget> targets;
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].check->isChecked() && m_rows[i].check->isEnabled()) {
            targets.push_back(m_rows[i].target);
            rows.push_back(static_cast<int>(i));
        }
    }
    if (targets.empty()) {
        Ask(Text(IdChooseAPort), QMessageBox::Ok);
        return;
    }
    if (const QString same = FindSameDevice(targets); !same.isEmpty()) {
        Ask(Text(IdSameDevice).arg(same), QMessageBox::Ok);
        return;
    }
    const FleetOrder order{m_verify->isChecked() ? FleetJob::WriteVerify : FleetJob::Write, 0};
    for (Row &row : m_rows) {
        row.bar->setRange(0, FleetJobBlocks(order.job));
        row.bar->setValue(0);
        row.bar->setTextVisible(false);
        row.status->clear();
        row.status->setToolTip(QString());
        row.status->setStyleSheet(QString());
        row.phaseStart = -1;
    }
    for (int r : rows) {
        m_rows[std::size_t(r)].status->setText(Text(IdWaiting));
        m_rows[std::size_t(r)].bar->setTextVisible(true);
    }
    m_rowOfPort = rows;
    m_summary->clear();
    m_elapsed.start();
    SetRunning(m_runner->Start(targets, m_setup.image, order));
}

void CFleetDlg::SetRunning(bool running)
{
    for (Row &row : m_rows)
        row.check->setEnabled(!running && !row.target.device.isEmpty());
    m_verify->setEnabled(!running);
    m_start->setEnabled(!running);
    m_save->setEnabled(!running && !m_runner->Results().empty());
    m_cancel->setEnabled(true);
    m_cancel->setText(Text(running || m_runner->Results().empty() ? IdCancel : IdClose));
}

void CFleetDlg::OnCancel()
{
    if (!m_runner->IsRunning()) {
        QDialog::reject();
        return;
    }
    m_runner->Cancel();
    m_cancel->setEnabled(false);
    for (int r : m_rowOfPort)
        if (m_rows[std::size_t(r)].phaseStart != kEnded)
            m_rows[std::size_t(r)].status->setText(Text(IdCancelling));
}

void CFleetDlg::reject()
{
    if (m_runner->IsRunning())
        OnCancel();
    else
        QDialog::reject();
}

void CFleetDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        HelpService::Show(m_app.helpFile, Cmd::WriteSeveral);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CFleetDlg::OnPortProgress(int index, FleetPhase phase, int done, int total)
{
    Row &row = m_rows[std::size_t(m_rowOfPort[std::size_t(index)])];
    if (row.phaseStart == kEnded)
        return;
    if (row.phaseStart < 0 || phase != row.phase) {
        row.phase = phase;
        row.phaseStart = done;
    }
    row.bar->setRange(0, total);
    row.bar->setValue(done);
    if (m_runner->CancelRequested())
        return;
    // Until the first block has moved the radio has not answered yet.
    const int id = done == row.phaseStart ? IdConnecting : phase == FleetPhase::Verifying ? IdVerifying : IdWriting;
    row.status->setText(Text(id));
}

void CFleetDlg::OnPortFinished(int index)
{
    const FleetPortResult &r = m_runner->Results()[std::size_t(index)];
    Row &row = m_rows[std::size_t(m_rowOfPort[std::size_t(index)])];
    row.phaseStart = kEnded; // a late Cancel leaves its result as it is
    if (r.ok())
        row.bar->setValue(row.bar->maximum());
    row.status->setText(FleetReport::ResultText(r, m_app.chinese));
    row.status->setToolTip(row.status->text());
    row.status->setStyleSheet(r.ok() ? QString() : QStringLiteral("color: #b00000"));
}

void CFleetDlg::OnFinished()
{
    const std::vector<FleetPortResult> &results = m_runner->Results();
    // "3 of 3 radios ok (3 ports, 32.3 s)"; Chinese takes no space.
    const QString space = m_app.chinese ? QString() : QStringLiteral(" ");
    QString summary = FleetReport::SummaryText(results, m_app.chinese) + space
                      + Text(IdPortsAndTime).arg(results.size()).arg(FleetReport::Seconds(m_elapsed.elapsed()));
    if (const QString note = FleetReport::PartialWriteNote(results, m_app.chinese); !note.isEmpty())
        summary += QLatin1Char('\n') + note;
    m_summary->setText(summary);
    SetRunning(false);
    m_save->setFocus();
}

void CFleetDlg::OnSaveReport()
{
    const QString path = AskSaveFile(m_app, m_setup.prompts, this, Text(IdReportTitle), m_setup.reportName,
                                     Text(IdReportFilter), QStringLiteral(".csv"));
    if (path.isEmpty())
        return;
    if (!FleetReport::SaveCsv(path, m_runner->Results(), m_app.chinese).ok())
        Ask(Text(IdReportFailed).arg(QDir::toNativeSeparators(path)), QMessageBox::Ok);
}
