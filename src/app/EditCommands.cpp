#include "app/EditCommands.h"

#include "app/AppState.h"
#include "app/DocumentCommands.h"
#include "app/CommandIds.h"
#include "app/Prompts.h"
#include "editor/CProgramView.h"
#include "editor/RowClipboard.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "image/CommonCsv.h"
#include "image/CsvFile.h"
#include "image/CsvImport.h"

#include <QDir>

using corvane::Status;

EditCommands::EditCommands(AppState &app, const Prompts &prompts, CMainFrame &frame, const DocumentCommands &docs)
    : m_app(app), m_prompts(prompts), m_frame(frame), m_docs(docs)
{
    CommandRouter &r = frame.Router();
    const auto hasView = [this] { return View() != nullptr; };
    const auto rows = [this] { return RowCommandsAllowed() && !View()->Selection().IsEmpty(); };
    r.Set(Cmd::EditUndo, {[this] { OnUndo(); }, [this] { return View() && View()->History().CanUndo(); }, {}});
    r.Set(Cmd::EditRedo, {[this] { OnRedo(); }, [this] { return View() && View()->History().CanRedo(); }, {}});
    r.Set(Cmd::EditCut, {[this] { OnCut(); }, rows, {}});
    r.Set(Cmd::EditCopy, {[this] { OnCopy(); }, rows, {}});
    r.Set(Cmd::EditPaste, {[this] { OnPaste(); }, [this] { return RowCommandsAllowed(); }, {}});
    r.Set(Cmd::EditClear, {[this] { OnDelete(); }, rows, {}});
    r.Set(Cmd::ImportCsv, {[this] { OnImportCsv(); }, hasView, {}});
    r.Set(Cmd::ExportCsv, {[this] { OnExportCsv(); }, hasView, {}});
}

CProgramView *EditCommands::View() const
{
    CChildFrame *child = m_frame.ActiveChild();
    return child ? child->GetView() : nullptr;
}

bool EditCommands::RowCommandsAllowed() const { return View() && !View()->IsEditorOpen(); }

// A refused pending edit is reported and back in its editor: the undo
// waits until it is corrected or given up with Escape.
void EditCommands::OnUndo()
{
    if (CProgramView *view = View(); view && !view->OnLeaveCell())
        view->History().Undo();
}

void EditCommands::OnRedo()
{
    if (CProgramView *view = View(); view && !view->OnLeaveCell())
        view->History().Redo();
}

void EditCommands::OnCut()
{
    if (RowCommandsAllowed())
        RowClipboard(*View()).Cut();
}

void EditCommands::OnCopy()
{
    if (RowCommandsAllowed())
        RowClipboard(*View()).Copy();
}

void EditCommands::OnDelete()
{
    if (RowCommandsAllowed())
        RowClipboard(*View()).Delete();
}

void EditCommands::OnPaste()
{
    if (!RowCommandsAllowed())
        return;
    const QStringList problems = RowClipboard(*View()).Paste();
    if (!problems.isEmpty())
        m_prompts.ShowList(&m_frame, m_app.MessageCaption(), m_app.bundle.String(Ids::PasteRefused), problems);
}

void EditCommands::OnImportCsv()
{
    CProgramView *view = View();
    if (!view || view->OnLeaveCell())
        return;
    const QString filter = m_app.bundle.String(Ids::CsvFilterImport) + QStringLiteral(";;") +
                           m_app.bundle.String(Ids::CsvFilterAny);
    const QString path =
        m_prompts.openFile(&m_frame, m_app.bundle.String(Ids::ImportCsvTitle), m_docs.LastFolder(), filter);
    if (!path.isEmpty())
        ImportFile(view, path);
}

void EditCommands::ImportFile(CProgramView *view, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QList<corvane::CsvRecord> records;
    const corvane::Result read = corvane::ReadCsvFile(path, records);
    if (read.status == Status::FileError) {
        m_prompts.message(&m_frame, m_app.MessageCaption(), m_app.bundle.String(Ids::OpenUnreadable).arg(shown),
                          QMessageBox::Ok);
        return;
    }
    corvane::ChannelTable table = view->Table();
    const QStringList problems =
        read.ok() ? corvane::ImportIntoTable(records, table, view->Band(), m_app) : QStringList{read.text};
    if (!problems.isEmpty()) {
        m_prompts.ShowList(&m_frame, m_app.MessageCaption(), m_app.bundle.String(Ids::ImportRefused).arg(shown),
                           problems);
        return;
    }
    QList<int> all;
    for (int row = 1; row <= corvane::kChannelCount; ++row)
        all << row;
    const QList<int> changed = view->History().ApplyRows(table, view->GetDocument().m_image, all);
    m_frame.ShowStatusNote(m_app.bundle.String(Ids::Imported).arg(shown).arg(changed.size()));
}

void EditCommands::OnExportCsv()
{
    CProgramView *view = View();
    if (!view || view->OnLeaveCell())
        return;
    const QStringList filters = {m_app.bundle.String(Ids::CsvFilterTable), m_app.bundle.String(Ids::CsvFilterCommon)};
    int layout = m_layout;
    const QString path = m_prompts.WithExtension(
        &m_frame,
        m_prompts.SaveFileTyped(&m_frame, m_app.bundle.String(Ids::ExportCsvTitle),
                                m_docs.ProposedName(m_frame.ActiveChild(), QStringLiteral(".csv")), filters, layout),
        QStringLiteral(".csv"), m_app.MessageCaption(), m_app.bundle.String(Ids::ReplaceFile));
    if (path.isEmpty())
        return;
    m_layout = layout;
    const QString text = layout == 1 ? corvane::ChannelTableCommonCsv(view->Table())
                                     : corvane::ChannelTableCsv(view->Table(), m_app.chinese);
    const QString shown = QDir::toNativeSeparators(path);
    if (!corvane::WriteTextFile(path, text).ok()) {
        m_prompts.message(&m_frame, m_app.MessageCaption(), m_app.bundle.String(Ids::SaveFailed).arg(shown),
                          QMessageBox::Ok);
        return;
    }
    m_frame.ShowStatusNote(m_app.bundle.String(Ids::Exported).arg(shown));
}
