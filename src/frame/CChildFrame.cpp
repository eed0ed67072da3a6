#include "frame/CChildFrame.h"

#include "app/BundleUi.h"
#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "link/TransferController.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPointer>

CChildFrame::CChildFrame(std::unique_ptr<CProgramDoc> doc, AppState &app, QWidget *parent)
    : QMdiSubWindow(parent), m_doc(std::move(doc))
{
    setObjectName(QStringLiteral("childFrame"));
    m_view = new CProgramView(*m_doc, app, this);
    setWidget(m_view);
    setWindowIcon(BundleUi::Icon(Res::DocumentMenu));
    // The system menu's own shortcuts (Ctrl+W closes) would take keys of
    // the program's accelerator table; its entries stay reachable by mouse.
    if (QMenu *menu = systemMenu())
        for (QAction *a : menu->actions())
            a->setShortcut(QKeySequence());
    setGeometry(0, 0, 1600, 1200);
    m_doc->modifiedChanged = [this](bool) { UpdateTitle(); };
    UpdateTitle();
}

CChildFrame::~CChildFrame()
{
    m_doc->modifiedChanged = nullptr;
    // The view refers to the document, so it goes first.
    delete m_view;
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(m_doc->GetTitle() + (m_doc->IsModified() ? QStringLiteral("*") : QString()));
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    event->ignore();
    // A running radio transfer stops first; the window hides once it has.
    if (TransferController::CancelTransfersFirst([self = QPointer<CChildFrame>(this)] {
            if (self)
                self->hide();
        }))
        return;
    hide();
}
