#pragma once
// The main window: menu bar (menu 128 while no document window exists, menu
// 129 otherwise), toolbar 128, status bar (message pane and the Caps, Num
// and Scroll Lock panes), the navigation bar at the left edge and the
// client area holding the document windows. Every entry and button is a
// command routed through Router(); commands without a handler are shown
// disabled. The title is always the application caption: the document
// windows never add their names to it.
#include "frame/CommandRouter.h"
#include "image/Result.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class CChildFrame;
class CMdiClientWnd;
class COptionalFeaturesDlg;
class CProductInfoDlg;
class CNavigationBar;
class CProgramDoc;
class QLabel;
class QMenu;
class QToolBar;
struct AppState;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Help context of F1 outside a menu: the frame's resource 128 offset
    // the way every frame help request is (0x10000 + 128).
    static constexpr int kFrameHelpContext = 0x10000 + 128;

    explicit CMainFrame(AppState &app, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Builds menus, accelerators, toolbar, status bar and navigation bar
    // from the language bundle; a missing or malformed part fails it.
    // Initial title: string 128; initial size 1000 x 600.
    corvane::Result Create();

    CommandRouter &Router() { return m_router; }
    CNavigationBar *NavigationBar() const { return m_navBar; }
    CMdiClientWnd *MdiClient() const { return m_mdi; }
    QToolBar *ToolBar() const { return m_toolBar; }
    QLabel *MessagePane() const { return m_message; }
    // The option dialogs, built with the frame and kept for its life.
    COptionalFeaturesDlg *OptionalFeaturesDialog() const { return m_optionsDlg; }
    CProductInfoDlg *ProductInfoDialog() const { return m_productDlg; }
    // Popups of menu 129 (positions 0 to 5) and of the menu bar now.
    QMenu *DocumentMenu(int position) const;
    QList<QMenu *> MenuBarMenus() const;

    // A new document window over `doc`, shown, active and filled from its
    // image, laid over the whole client area (CMdiClientWnd::Fill).
    CChildFrame *AddChildFrame(std::unique_ptr<CProgramDoc> doc);
    // The active document window, also when it is hidden; nullptr if none.
    CChildFrame *ActiveChild() const;
    QList<CChildFrame *> ChildFrames() const;
    // The same, the active window first (the order of the questions).
    QList<CChildFrame *> ChildFramesActiveFirst() const;
    void HideActiveChild();
    void DestroyActiveChild();
    // "Channel Information": the active document window shown in its
    // normal size, or the main window itself when there is none.
    void OnChannelInformation();
    // The option dialogs on the active document (a hidden window's too);
    // with no document window at all they do not open.
    void OnOptionalFeatures();
    void OnProductInfo();
    void Navigate(const QString &itemText);
    void SetCaption(const QString &caption);
    QString Caption() const { return m_caption; }
    void OnHelp(int context);
    // Asked before the window closes (Exit, close box, restart); false
    // keeps it open. Empty: the window always closes.
    void SetCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
    // A note about the shown document in the status bar's message pane;
    // an empty note brings back the idle text.
    void ShowStatusNote(const QString &note);
    // Shown maximized; on an X server without a window manager the frame
    // takes the screen's available area itself shortly after.
    void ShowMaximized();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    corvane::Result CreateMenus();
    corvane::Result CreateToolBar();
    void CreateStatusBar();
    void CreateNavigationBar();
    void RegisterCommands();
    void UpdateMenuBar();
    QAction *NewCommandAction(int id, const QString &text, QObject *parent);

    AppState &m_app;
    CommandRouter m_router;
    CMdiClientWnd *m_mdi = nullptr;
    CNavigationBar *m_navBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_message = nullptr;
    COptionalFeaturesDlg *m_optionsDlg = nullptr;
    CProductInfoDlg *m_productDlg = nullptr;
    std::vector<QMenu *> m_noDocMenus;
    std::vector<QMenu *> m_docMenus;
    QPointer<CChildFrame> m_active;
    QString m_caption;
    bool m_restoringTitle = false;
    std::function<bool()> m_closeGuard;
};
