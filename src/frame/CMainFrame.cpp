#include "frame/CMainFrame.h"

#include "app/AppState.h"
#include "app/BundleUi.h"
#include "app/CommandIds.h"
#include "app/HelpService.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "dialogs/FleetCommand.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMdiClientWnd.h"
#include "frame/CNavigationBar.h"
#include "frame/LockKeyPanes.h"
#include "image/CProgramDoc.h"
#include "link/TransferCommands.h"
#include "link/TransferController.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

using corvane::Result;

CMainFrame::CMainFrame(AppState &app, QWidget *parent) : QMainWindow(parent), m_app(app)
{
    setObjectName(QStringLiteral("mainFrame"));
    m_app.captionSink = [this](const QString &caption) { SetCaption(caption); };
}

CMainFrame::~CMainFrame()
{
    m_app.captionSink = nullptr;
    // Document windows go first, quietly: their views may still use the
    // router and the application's handlers.
    if (m_mdi)
        disconnect(m_mdi, nullptr, this, nullptr);
    qDeleteAll(ChildFrames());
}

Result CMainFrame::Create()
{
    resize(1000, 600);
    SetCaption(m_app.bundle.String(Ids::AppTitle));
    Result r = CreateMenus();
    if (r.ok())
        r = CreateToolBar();
    if (!r.ok())
        return r;
    CreateStatusBar();
    CreateNavigationBar();
    m_optionsDlg = new COptionalFeaturesDlg(m_app, this);
    m_productDlg = new CProductInfoDlg(m_app, this);
    RegisterCommands();
    UpdateMenuBar();
    return Result::success();
}

QAction *CMainFrame::NewCommandAction(int id, const QString &text, QObject *parent)
{
    QAction *a = m_router.NewAction(id, text, parent);
    a->setStatusTip(m_app.bundle.Prompt(id));
    return a;
}

Result CMainFrame::CreateMenus()
{
    const auto make = [this](int id, const QString &text, QObject *parent) {
        return NewCommandAction(id, text, parent);
    };
    for (int id : {Res::MainFrame, Res::DocumentMenu}) {
        std::vector<MenuEntry> popups;
        const Result r = MenuTemplate::LoadMenu(id, popups);
        if (!r.ok())
            return r;
        for (const MenuEntry &p : popups) {
            QMenu *menu = BundleUi::BuildPopup(p, this, make);
            connect(menu, &QMenu::aboutToShow, &m_router, &CommandRouter::UpdateUI);
            menu->installEventFilter(this);
            (id == Res::MainFrame ? m_noDocMenus : m_docMenus).push_back(menu);
        }
    }
    std::vector<Accelerator> keys;
    const Result r = MenuTemplate::LoadAccelerators(Res::MainFrame, keys);
    if (!r.ok())
        return r;
    for (const Accelerator &k : keys) {
        QAction *a = m_router.NewAction(k.id, QString(), this);
        a->setShortcut(QKeySequence(k.key, QKeySequence::PortableText));
        addAction(a);
    }
    return Result::success();
}

Result CMainFrame::CreateToolBar()
{
    ToolbarTemplate t;
    const Result r = MenuTemplate::LoadToolbar(Res::MainFrame, t);
    if (!r.ok())
        return r;
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(t.buttonSize);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    for (int id : t.buttons) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction *a = NewCommandAction(id, m_app.bundle.ToolTip(id), m_toolBar);
        a->setIcon(QIcon(BundleUi::ToolbarImage(id)));
        a->setToolTip(m_app.bundle.ToolTip(id));
        m_toolBar->addAction(a);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    return Result::success();
}

void CMainFrame::CreateStatusBar()
{
    m_message = new QLabel(m_app.bundle.String(Ids::IdleMessage));
    m_message->setObjectName(QStringLiteral("messagePane"));
    statusBar()->addWidget(m_message, 1);
    QLabel *panes[3];
    for (int i = 0; i < 3; ++i) {
        const int id = Ids::IndicatorCaps + i;
        auto *pane = new QLabel(m_app.bundle.String(id));
        pane->setObjectName(QStringLiteral("indicator%1").arg(id));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        statusBar()->addPermanentWidget(pane);
        panes[i] = pane;
    }
    new LockKeyPanes(panes[0], panes[1], panes[2], this);
}

void CMainFrame::CreateNavigationBar()
{
    auto *client = new QWidget(this);
    auto *layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navBar = new CNavigationBar(m_app, client);
    m_navBar->Populate(m_app.LanguageText("Company"), m_app.chinese);
    m_mdi = new CMdiClientWnd(client);
    layout->addWidget(m_navBar);
    layout->addWidget(m_mdi, 1);
    setCentralWidget(client);
    connect(m_navBar, &CNavigationBar::ItemChosen, this, &CMainFrame::Navigate);
    connect(m_navBar, &CNavigationBar::CloseClicked, this, [this] {
        m_navBar->hide();
        m_router.UpdateUI();
    });
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) {
        if (auto *child = qobject_cast<CChildFrame *>(w))
            m_active = child;
        m_router.UpdateUI();
    });
}

void CMainFrame::RegisterCommands()
{
    m_router.Set(Cmd::ControlBar, {[this] { m_navBar->setVisible(m_navBar->isHidden()); }, {},
                                   [this] { return !m_navBar->isHidden(); }});
    m_router.Set(Cmd::ViewToolbar, {[this] { m_toolBar->setVisible(m_toolBar->isHidden()); }, {},
                                    [this] { return !m_toolBar->isHidden(); }});
    m_router.Set(Cmd::ViewStatusBar, {[this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
                                      [this] { return !statusBar()->isHidden(); }});
    m_router.Set(Cmd::ChannelInfo, {[this] { OnChannelInformation(); }, {}, {}});
    const auto hasDocument = [this] { return ActiveChild() != nullptr; };
    m_router.Set(Cmd::OptionalFeatures, {[this] { OnOptionalFeatures(); }, hasDocument, {}});
    m_router.Set(Cmd::ProductInfo, {[this] { OnProductInfo(); }, hasDocument, {}});
    m_router.Set(Cmd::Help, {[this] { OnHelp(kFrameHelpContext); }, {}, {}});
    m_router.Set(Cmd::HelpTopics, {[this] { OnHelp(Cmd::HelpTopics); }, {}, {}});
    m_router.Set(Cmd::AppExit, {[this] { close(); }, {}, {}});
    m_router.Set(Cmd::WriteSeveral, {[this] { FleetCommand::Run(m_app, *ActiveChild()->GetView(), this); },
                                     [this] { return ActiveChild() != nullptr; }, {}});
    TransferCommands::Register(*this);
}

QMenu *CMainFrame::DocumentMenu(int position) const
{
    return position >= 0 && position < int(m_docMenus.size()) ? m_docMenus[size_t(position)] : nullptr;
}

QList<QMenu *> CMainFrame::MenuBarMenus() const
{
    QList<QMenu *> out;
    for (QAction *a : menuBar()->actions())
        if (a->menu())
            out << a->menu();
    return out;
}

void CMainFrame::UpdateMenuBar()
{
    const std::vector<QMenu *> &wanted = ChildFrames().isEmpty() ? m_noDocMenus : m_docMenus;
    const QList<QMenu *> now = MenuBarMenus();
    if (now.size() == int(wanted.size()) && (now.isEmpty() || now.first() == wanted.front()))
        return;
    menuBar()->clear();
    for (QMenu *m : wanted)
        menuBar()->addMenu(m);
}

QList<CChildFrame *> CMainFrame::ChildFrames() const
{
    QList<CChildFrame *> out;
    if (m_mdi)
        for (QMdiSubWindow *w : m_mdi->subWindowList())
            if (auto *c = qobject_cast<CChildFrame *>(w))
                out << c;
    return out;
}

QList<CChildFrame *> CMainFrame::ChildFramesActiveFirst() const
{
    QList<CChildFrame *> out = ChildFrames();
    if (out.removeOne(m_active))
        out.prepend(m_active);
    return out;
}

CChildFrame *CMainFrame::ActiveChild() const { return m_active; }

CChildFrame *CMainFrame::AddChildFrame(std::unique_ptr<CProgramDoc> doc)
{
    auto *child = new CChildFrame(std::move(doc), m_app);
    connect(child->GetView(), &CProgramView::StatusNote, this, &CMainFrame::ShowStatusNote);
    connect(child->GetView(), &CProgramView::EditStateChanged, &m_router, &CommandRouter::UpdateUI);
    m_mdi->addSubWindow(child);
    child->setGeometry(0, 0, 1600, 1200);
    child->show();
    child->GetView()->OnInitialUpdate();
    m_mdi->Fill(child);
    m_active = child;
    m_mdi->setActiveSubWindow(child);
    UpdateMenuBar();
    m_router.UpdateUI();
    return child;
}

void CMainFrame::HideActiveChild()
{
    if (CChildFrame *c = ActiveChild())
        c->close();
    m_router.UpdateUI();
}

void CMainFrame::DestroyActiveChild()
{
    CChildFrame *c = ActiveChild();
    m_active = nullptr;
    delete c;
    UpdateMenuBar();
    m_router.UpdateUI();
}

void CMainFrame::OnChannelInformation()
{
    CChildFrame *c = ActiveChild();
    if (!c) {
        showNormal();
        return;
    }
    c->showNormal();
    m_mdi->setActiveSubWindow(c);
    m_router.UpdateUI();
}

void CMainFrame::OnOptionalFeatures()
{
    if (CChildFrame *c = ActiveChild())
        m_optionsDlg->DoModal(c->GetDocument(), c->GetView());
}

void CMainFrame::OnProductInfo()
{
    if (CChildFrame *c = ActiveChild())
        m_productDlg->DoModal(c->GetDocument(), c->GetView());
}

void CMainFrame::Navigate(const QString &itemText)
{
    if (CNavigationBar::ItemText(1).matches(itemText))
        OnChannelInformation();
    else if (CNavigationBar::ItemText(2).matches(itemText))
        m_router.Execute(Cmd::OptionalFeatures);
    else if (CNavigationBar::ItemText(0).matches(itemText))
        m_router.Execute(Cmd::ProductInfo);
}

void CMainFrame::SetCaption(const QString &caption)
{
    m_caption = caption;
    setWindowTitle(caption);
}

void CMainFrame::ShowMaximized()
{
    showMaximized();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // On X11 the window manager carries out the maximize; a bare X server
    // (no window manager) never does, and the frame then fills the
    // screen's available area itself once the manager's time is up.
    QTimer::singleShot(300, this, [this] {
        QScreen *s = screen();
        if (s && isMaximized() && isVisible() && geometry().size() != s->availableGeometry().size())
            setGeometry(s->availableGeometry());
    });
}

void CMainFrame::OnHelp(int context) { HelpService::Show(m_app.helpFile, context); }

void CMainFrame::changeEvent(QEvent *event)
{
    // A maximized document window writes "caption - [title]" into the main
    // title; the caption alone is put back.
    if (event->type() == QEvent::WindowTitleChange && !m_restoringTitle && windowTitle() != m_caption) {
        m_restoringTitle = true;
        setWindowTitle(m_caption);
        m_restoringTitle = false;
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::ShowStatusNote(const QString &note)
{
    if (m_message)
        m_message->setText(note.isEmpty() ? m_app.bundle.String(Ids::IdleMessage) : note);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // A running radio transfer stops first; the close comes again once it has.
    if (TransferController::CancelTransfersFirst([self = QPointer<CMainFrame>(this)] {
            if (self)
                self->close();
        })) {
        event->ignore();
        return;
    }
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Takes the keyboard focus also where no window manager hands it out.
    activateWindow();
    raise();
}

void CMainFrame::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        m_router.Execute(Cmd::Help);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // F1 over a menu entry asks help for that entry's command.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const QAction *a = menu->activeAction();
            const int context = a && a->data().toInt() > 0 ? a->data().toInt() : kFrameHelpContext;
            menu->close();
            OnHelp(context);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
