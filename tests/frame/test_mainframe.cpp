// The main window: menus, Ctrl+W, the lock panes, the check entries, the
// document window's place and help.
#include "../app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/MenuTemplate.h"
#include "frame/CChildFrame.h"
#include "frame/CMdiClientWnd.h"
#include "frame/CNavigationBar.h"
#include "frame/LockKeyPanes.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

namespace {

using MainFrame = AppFixture;

// The menus as the bundle lists them (0: separator); Undo and Redo wait
// for a change, Cut, Copy and Delete for selected rows.
TEST_F(MainFrame, DocumentMenuHasItsEntriesSeparatorsAndStates)
{
    std::vector<MenuEntry> menus;
    ASSERT_TRUE(MenuTemplate::LoadMenu(129, menus).ok());
    ASSERT_EQ(menus.size(), 6u);
    const QList<int> laterWork = {Cmd::EditUndo, Cmd::EditRedo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditClear};
    for (int pos = 0; pos < 6; ++pos) {
        QMenu *menu = frame->DocumentMenu(pos);
        emit menu->aboutToShow();
        QList<int> got, want;
        for (QAction *a : menu->actions()) {
            got << (a->isSeparator() ? 0 : a->data().toInt());
            EXPECT_TRUE(a->isSeparator() || a->isEnabled() != laterWork.contains(got.last())) << got.last();
        }
        for (const MenuEntry &e : menus[pos].items)
            want << (e.separator ? 0 : e.id);
        EXPECT_EQ(got, want);
    }
    EXPECT_EQ(MenuAction(frame, 0, Cmd::FileNew)->text(), "&New\tCtrl+N");
}

// Ctrl+W is Write, never the document window's own close (the keys
// reaching their commands: the Edit command tests).
TEST_F(MainFrame, CtrlWLeavesTheDocumentWindowOpen)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    CChildFrame *child = frame->ActiveChild();
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(frame->ActiveChild(), child);
}

// The lock panes show what the window system reports, read again after
// each lock key.
TEST_F(MainFrame, LockKeyPanesFollowTheReportedState)
{
    ASSERT_NE(frame->statusBar()->findChild<QLabel *>("indicator59137"), nullptr);
    const auto shown = [](const QList<QLabel *> &p) {
        return QList<bool>{p[0]->isEnabled(), p[1]->isEnabled(), p[2]->isEnabled()};
    };
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QList<QLabel *> read = {new QLabel(frame), new QLabel(frame), new QLabel(frame)};
    LockKeyState reported{false, true, false};
    LockKeyPanes reading(read[0], read[1], read[2], nullptr, [&] { return std::optional<LockKeyState>(reported); });
    EXPECT_EQ(shown(read), QList<bool>({false, true, false}));
    reported = {true, false, false};
    QTest::keyClick(frame->windowHandle(), Qt::Key_NumLock);
    EXPECT_EQ(shown(read), QList<bool>({true, false, false}));
}

TEST_F(MainFrame, ViewEntriesToggleAndCarryCheckMarks)
{
    const struct { int id; QWidget *w; } bars[] = {{Cmd::ControlBar, frame->NavigationBar()},
                                                   {Cmd::ViewToolbar, frame->ToolBar()},
                                                   {Cmd::ViewStatusBar, frame->statusBar()}};
    for (const auto &b : bars) {
        QAction *entry = MenuAction(frame, 3, b.id);
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        EXPECT_TRUE(b.w->isHidden());
        EXPECT_FALSE(entry->isChecked());
        entry->trigger();
        EXPECT_FALSE(b.w->isHidden());
    }
}

TEST_F(MainFrame, DocumentWindowFillsTheClientArea)
{
    CChildFrame *child = frame->ActiveChild();
    frame->showNormal();
    frame->resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->geometry(), frame->MdiClient()->viewport()->rect());

    // Dragged by the user: it keeps the place it was given.
    const QPoint title(child->width() / 2, 5);
    QTest::mousePress(child, Qt::LeftButton, {}, title);
    child->setGeometry(20, 20, 300, 200);
    QTest::mouseRelease(child, Qt::LeftButton, {}, title);
    frame->resize(1200, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(20, 20, 300, 200));
}

TEST_F(MainFrame, HelpRequestsCarryTheirContexts)
{
    HelpRecorder help;
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F1);
    QMenu *file = frame->DocumentMenu(0);
    file->popup(QPoint(10, 10));
    file->setActiveAction(MenuAction(frame, 0, Cmd::FileSaveAs));
    QTest::keyClick(file, Qt::Key_F1);
    EXPECT_FALSE(file->isVisible());
    MenuAction(frame, 5, Cmd::HelpTopics)->trigger();
    EXPECT_EQ(help.calls, (QList<QPair<QString, int>>{
                              {"enHelp.chm", 0x10080}, {"enHelp.chm", Cmd::FileSaveAs}, {"enHelp.chm", Cmd::HelpTopics}}));
}

} // namespace
