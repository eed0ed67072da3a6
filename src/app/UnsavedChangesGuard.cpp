#include "app/UnsavedChangesGuard.h"

#include "app/AppState.h"
#include "app/Prompts.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"

UnsavedChangesGuard::UnsavedChangesGuard(AppState &app, const Prompts &prompts, QWidget *parent, SaveFn save)
    : m_app(app), m_prompts(prompts), m_parent(parent), m_save(std::move(save))
{
}

UnsavedChangesGuard::Outcome UnsavedChangesGuard::Confirm(CChildFrame *child, const QString &lead)
{
    if (!child)
        return Unchanged;
    if (child->GetView()->OnLeaveCell())
        return Cancelled;
    const CProgramDoc &doc = child->GetDocument();
    const QString caption = m_app.MessageCaption();
    if (!doc.IsModified()) {
        if (lead.isEmpty())
            return Unchanged;
        const auto answer = m_prompts.message(m_parent, caption, lead, QMessageBox::Ok | QMessageBox::Cancel);
        return answer == QMessageBox::Ok ? Unchanged : Cancelled;
    }
    const QString title = doc.GetTitle();
    const QString text = lead.isEmpty() ? m_app.bundle.String(Ids::SaveChanges).arg(title)
                                        : lead + QStringLiteral("\n\n") + m_app.bundle.String(Ids::SaveFirst).arg(title);
    switch (m_prompts.message(m_parent, caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save: return m_save(child) ? Saved : Cancelled;
    case QMessageBox::Discard: return Discarded;
    default: return Cancelled;
    }
}

bool UnsavedChangesGuard::ConfirmAll(const QList<CChildFrame *> &children)
{
    for (CChildFrame *c : children)
        if (Confirm(c) == Cancelled)
            return false;
    return true;
}
