#include "app/DocumentCommands.h"

#include "app/AppState.h"
#include "app/Prompts.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "link/TransferController.h"

#include <QDir>
#include <QFileInfo>

using corvane::Result;
using corvane::Status;

DocumentCommands::DocumentCommands(AppState &app, const Prompts &prompts, CMainFrame &frame)
    : m_app(app), m_prompts(prompts), m_frame(frame)
{
}

void DocumentCommands::Message(const QString &text) const
{
    m_prompts.message(&m_frame, m_app.MessageCaption(), text, QMessageBox::Ok);
}

QString DocumentCommands::Filter() const
{
    // Fields: title, document name, new name, filter name, extension, ...
    const QStringList fields = m_app.bundle.String(Ids::DocTemplate).split(QLatin1Char('\n'));
    const QString ext = DefaultExtension();
    const QString name = fields.value(3).isEmpty() ? QLatin1Char('*') + ext : fields.value(3);
    return QStringLiteral("%1 (*%2)").arg(name, ext);
}

QString DocumentCommands::DefaultExtension() const
{
    const QString ext = m_app.bundle.String(Ids::DocTemplate).section(QLatin1Char('\n'), 4, 4);
    return ext.isEmpty() ? QStringLiteral(".dat") : ext;
}

void DocumentCommands::NewDocument()
{
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(m_app);
    m_frame.AddChildFrame(std::move(doc));
}

bool DocumentCommands::OpenFile(const QString &path)
{
    auto doc = std::make_unique<CProgramDoc>();
    const Result r = doc->OnOpenDocument(path, m_app);
    if (!r.ok()) {
        const int id = r.status == Status::NotImage ? Ids::OpenNotImage : Ids::OpenUnreadable;
        Message(m_app.bundle.String(id).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // The window that was active is only hidden; with none, nothing is.
    m_frame.HideActiveChild();
    m_frame.AddChildFrame(std::move(doc));
    return true;
}

void DocumentCommands::OnFileOpen()
{
    // A running radio transfer stops first; Open comes again once it has.
    if (TransferController::CancelTransfersFirst([this] { OnFileOpen(); }))
        return;
    const QString path = m_prompts.openFile(&m_frame, m_app.bundle.String(Ids::OpenTitle), QString(), Filter());
    if (!path.isEmpty())
        OpenFile(path);
}

bool DocumentCommands::HasActiveDocument() const { return m_frame.ActiveChild() != nullptr; }

bool DocumentCommands::OnFileSave()
{
    CChildFrame *child = m_frame.ActiveChild();
    if (!child)
        return false;
    // A new document's path is the configured name; it is written straight
    // only when such a file already exists and may be written.
    const QString path = child->GetDocument().GetPathName();
    const QFileInfo info(path);
    if (!path.isEmpty() && info.isFile() && info.isWritable())
        return SaveTo(child, path);
    return SaveAs(child, path);
}

bool DocumentCommands::OnFileSaveAs()
{
    CChildFrame *child = m_frame.ActiveChild();
    return child && SaveAs(child, child->GetDocument().GetPathName());
}

bool DocumentCommands::SaveAs(CChildFrame *child, const QString &proposed)
{
    QString name = proposed;
    if (name.isEmpty())
        name = child->GetDocument().GetTitle().section(QLatin1Char(' '), 0, 0) + DefaultExtension();
    QString path = m_prompts.saveFile(&m_frame, m_app.bundle.String(Ids::SaveAsTitle), name, Filter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += DefaultExtension();
    return SaveTo(child, path);
}

bool DocumentCommands::SaveTo(CChildFrame *child, const QString &path)
{
    child->GetView()->CommitToImage();
    const Result r = child->GetDocument().Save(path);
    if (!r.ok()) {
        Message(m_app.bundle.String(Ids::SaveFailed).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    child->UpdateTitle();
    return true;
}

void DocumentCommands::OnFileClose() { m_frame.HideActiveChild(); }
