#include "app/DocumentCommands.h"

#include "app/AppState.h"
#include "app/Prompts.h"
#include "app/SaveFileQuestion.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "link/TransferController.h"
#include "settings/UserStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using corvane::Result;
using corvane::Status;

namespace {
const QString kLastFolder = QStringLiteral("LastFolder");

// The message, then the system's reason on a line of its own.
QString WithReason(const QString &message, const Result &r)
{
    return r.reason.isEmpty() ? message : message + QLatin1Char('\n') + r.reason;
}
} // namespace

DocumentCommands::DocumentCommands(AppState &app, const Prompts &prompts, CMainFrame &frame)
    : m_app(app), m_prompts(prompts), m_frame(frame),
      m_guard(app, prompts, &frame, [this](CChildFrame *child) { return Save(child); })
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
    // The template's filter name is the bare pattern, so the filter is
    // named from the string table instead ("Memory images (*.dat)").
    QString name = m_app.bundle.String(Ids::FileFilterName);
    if (name.isEmpty())
        name = fields.value(3).isEmpty() ? QLatin1Char('*') + ext : fields.value(3);
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

QString DocumentCommands::LastFolderOf(const AppState &app)
{
    const QString stored = UserStore(CProfileFile::Decode(app.RegistryName())).ReadText(kLastFolder);
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void DocumentCommands::RememberFolder(const QString &file) const
{
    UserStore(CProfileFile::Decode(m_app.RegistryName())).WriteText(kLastFolder, QFileInfo(file).absolutePath());
}

bool DocumentCommands::OpenFile(const QString &path)
{
    auto doc = std::make_unique<CProgramDoc>();
    const Result r = doc->OnOpenDocument(path, m_app);
    if (!r.ok()) {
        const int id = r.status == Status::NotImage ? Ids::OpenNotImage : Ids::OpenUnreadable;
        Message(WithReason(m_app.bundle.String(id).arg(QDir::toNativeSeparators(path)), r));
        return false;
    }
    RememberFolder(path);
    // The window that was active is only hidden, and nothing leads back to
    // it: its unsaved changes are asked about now, and discarded ones are
    // no longer counted as unsaved.
    if (CChildFrame *old = m_frame.ActiveChild()) {
        const UnsavedChangesGuard::Outcome o = m_guard.Confirm(old);
        if (o == UnsavedChangesGuard::Cancelled)
            return false;
        if (o == UnsavedChangesGuard::Discarded)
            old->GetDocument().SetModifiedFlag(false);
    }
    m_frame.HideActiveChild();
    m_frame.AddChildFrame(std::move(doc));
    return true;
}

void DocumentCommands::OnFileOpen()
{
    // A running radio transfer stops first; Open comes again once it has.
    if (TransferController::CancelTransfersFirst([this] { OnFileOpen(); }))
        return;
    const QString path = m_prompts.openFile(&m_frame, m_app.bundle.String(Ids::OpenTitle), LastFolder(), Filter());
    if (!path.isEmpty())
        OpenFile(path);
}

bool DocumentCommands::HasActiveDocument() const { return m_frame.ActiveChild() != nullptr; }

bool DocumentCommands::OnFileSave() { return Save(m_frame.ActiveChild()); }

bool DocumentCommands::Save(CChildFrame *child)
{
    if (!child)
        return false;
    // An opened or saved document is written where it came from, while that
    // file may be written; a new document has no file yet.
    const QString path = child->GetDocument().GetPathName();
    const QFileInfo info(path);
    if (!path.isEmpty() && info.isFile() && info.isWritable())
        return SaveTo(child, path);
    return SaveAs(child, path.isEmpty() ? ProposedName(child, DefaultExtension()) : path);
}

bool DocumentCommands::OnFileSaveAs()
{
    CChildFrame *child = m_frame.ActiveChild();
    if (!child)
        return false;
    const QString path = child->GetDocument().GetPathName();
    return SaveAs(child, path.isEmpty() ? ProposedName(child, DefaultExtension()) : path);
}

// "<AppName>.dat" in the last folder; without an AppName the title up to
// its first blank ("Channel.dat").
QString DocumentCommands::ProposedName(CChildFrame *child, const QString &extension) const
{
    const QFileInfo file(child->GetDocument().GetPathName());
    if (!file.fileName().isEmpty())
        return file.dir().filePath(file.completeBaseName() + extension);
    QString name = QFileInfo(CProfileFile::Decode(m_app.RegistryName())).fileName(); // a name, no folder
    if (name.isEmpty())
        name = child->GetDocument().GetTitle().section(QLatin1Char(' '), 0, 0);
    if (!name.endsWith(extension, Qt::CaseInsensitive))
        name += extension;
    return QDir(LastFolder()).filePath(name);
}

bool DocumentCommands::SaveAs(CChildFrame *child, const QString &proposed)
{
    const QString path = AskSaveFile(m_app, m_prompts, &m_frame, m_app.bundle.String(Ids::SaveAsTitle), proposed,
                                     Filter(), DefaultExtension());
    return !path.isEmpty() && SaveTo(child, path);
}

bool DocumentCommands::SaveTo(CChildFrame *child, const QString &path)
{
    // A typed value that the commit rejects is reported and back in its
    // editor: nothing is saved until it is corrected or dropped.
    if (!child->GetView()->CommitToImage())
        return false;
    const Result r = child->GetDocument().Save(path);
    if (!r.ok()) {
        Message(WithReason(m_app.bundle.String(Ids::SaveFailed).arg(QDir::toNativeSeparators(path)), r));
        return false;
    }
    RememberFolder(path);
    child->UpdateTitle();
    return true;
}

void DocumentCommands::OnFileClose() { m_frame.HideActiveChild(); }
