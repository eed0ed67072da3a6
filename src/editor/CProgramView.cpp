#include "editor/CProgramView.h"

#include "app/AppState.h"
#include "image/CProgramDoc.h"
#include "image/ImagePasses.h"

CProgramView::CProgramView(CProgramDoc &doc, AppState &app, QWidget *parent)
    : QWidget(parent), m_doc(doc), m_app(app)
{
}

void CProgramView::OnInitialUpdate() { RefreshFromImage(); }

void CProgramView::RefreshFromImage()
{
    const corvane::RefreshOutcome r = corvane::RefreshFromImage(m_doc.m_image, m_table, m_app);
    m_nBandLow = r.bandLow;
    m_nBandHigh = r.bandHigh;
    m_app.SetCaption(r.caption);
}

void CProgramView::CommitToImage()
{
    OnLeaveCell();
    corvane::CommitToImage(m_table, m_doc.m_image);
}

bool CProgramView::OnLeaveCell() { return false; }
