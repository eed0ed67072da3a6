#include "dialogs/FleetCommand.h"

#include "app/AppState.h"
#include "app/DocumentCommands.h"
#include "dialogs/CFleetDlg.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "link/FleetPorts.h"
#include "link/QtSerialPort.h"

#include <QFileDialog>
#include <QDir>
#include <QFileInfo>

namespace {
std::function<void(CFleetDlg &)> &ExecHook()
{
    static std::function<void(CFleetDlg &)> hook;
    return hook;
}

// The dialog asks before replacing a report itself, also when ".csv" is
// added to the chosen name, so the file dialog must not ask as well.
Prompts DialogPrompts()
{
    Prompts p = Prompts::Interactive();
    p.saveFile = [](QWidget *parent, const QString &title, const QString &proposed, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, title, proposed, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    return p;
}
} // namespace

void FleetCommand::SetExecHook(std::function<void(CFleetDlg &)> hook) { ExecHook() = std::move(hook); }

void FleetCommand::Run(AppState &app, CProgramView &view, QWidget *parent)
{
    if (view.OnLeaveCell())
        return;
    view.CommitToImage();
    CProgramDoc &doc = view.GetDocument();
    const QFileInfo file(doc.GetPathName());
    CFleetDlg::Setup setup;
    setup.documentName = doc.GetTitle();
    // Beside the document's file and named after it; "fleet-report.csv" in
    // the folder the file dialogs start in for a document without a file.
    setup.reportName = file.isFile() ? file.dir().filePath(file.completeBaseName() + QStringLiteral("-report.csv"))
                                     : QDir(DocumentCommands::LastFolderOf(app)).filePath(QStringLiteral("fleet-report.csv"));
    setup.image = doc.m_image;
    setup.candidates = corvane::FleetCandidates(&app.settings, corvane::QtSerialPort::SystemDevices());
    setup.ports = [](const corvane::FleetTarget &) { return std::make_unique<corvane::QtSerialPort>(); };
    setup.prompts = DialogPrompts();
    CFleetDlg dlg(app, std::move(setup), parent);
    if (ExecHook())
        ExecHook()(dlg);
    else
        dlg.exec();
}
