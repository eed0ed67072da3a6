// The main window: menus, accelerators, toolbar, status bar, the check
// entries, the title, help and the client background.
#include "../app/GuiTestSupport.h"

#include "app/BundleUi.h"
#include "app/CommandIds.h"
#include "frame/CChildFrame.h"
#include "frame/CMdiClientWnd.h"
#include "frame/CNavigationBar.h"
#include "frame/LockKeyPanes.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"

#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

using MainFrame = AppFixture;

// Commands by position (0: separator); Undo and Redo wait for a change,
// Cut, Copy and Delete for selected rows.
TEST_F(MainFrame, DocumentMenuHasItsEntriesSeparatorsAndStates)
{
    const QList<int> ids[] = {{57600, 57601, 57602, 57603, 57604, 0, 32802, 32803, 0, 57607, 57609, 32801, 57606, 0, 57665},
                              {57643, 57644, 0, 57635, 57634, 57637, 57632, 0, 32786, 32787, 32788},
                              {32773, 32774, 32800, 0, 32804},
                              {59392, 59393, 32780},
                              {32777, 32799},
                              {57664, 0, 57667}};
    const QList<int> laterWork = {Cmd::EditUndo, Cmd::EditRedo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditClear};
    for (int pos = 0; pos < 6; ++pos) {
        QMenu *menu = frame->DocumentMenu(pos);
        emit menu->aboutToShow();
        QList<int> got;
        for (QAction *a : menu->actions()) {
            got << (a->isSeparator() ? 0 : a->data().toInt());
            if (!a->isSeparator()) {
                EXPECT_EQ(a->isEnabled(), !laterWork.contains(a->data().toInt())) << a->text().toStdString();
            }
        }
        EXPECT_EQ(got, ids[pos]);
    }
    EXPECT_EQ(MenuAction(frame, 0, Cmd::FileNew)->text(), "&New\tCtrl+N");
}

TEST_F(MainFrame, AcceleratorTableReachesTheCommands)
{
    QHash<QString, int> keys;
    for (QAction *a : frame->actions())
        if (!a->shortcut().isEmpty())
            keys.insert(a->shortcut().toString(), a->data().toInt());
    const QHash<QString, int> expected = {
        {"Ctrl+N", 57600}, {"Ctrl+O", 57601}, {"Ctrl+P", 57607}, {"Ctrl+R", 32773}, {"Ctrl+S", 57603},
        {"Ctrl+W", 32774}, {"F6", 57680}, {"Shift+F6", 57681}, {"Ctrl+Z", 57643}, {"Ctrl+Y", 57644},
        {"Ctrl+Shift+Z", 57644}, {"Ctrl+X", 57635}, {"Shift+Del", 57635}, {"Ctrl+C", 57634},
        {"Ctrl+Ins", 57634}, {"Ctrl+V", 57637}, {"Shift+Ins", 57637}, {"Del", 57632}};
    EXPECT_EQ(keys, expected);

    // Ctrl+W is Write, never the document window's own close (the keys
    // reaching their commands: the Edit command tests).
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    CChildFrame *child = frame->ActiveChild();
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(frame->ActiveChild(), child);
}

TEST_F(MainFrame, ToolbarButtonsWithTipsAndStatusHelp)
{
    QToolBar *bar = frame->ToolBar();
    QList<int> ids;
    for (QAction *a : bar->actions())
        ids << (a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(ids, (QList<int>{57600, 57601, 57603, 0, 57643, 57644, 0, 32773, 32774, 0, 57607, 0, 57664}));
    EXPECT_EQ(bar->iconSize(), QSize(18, 19));
    QAction *open = bar->actions().at(1);
    EXPECT_EQ(open->toolTip(), "Open");
    EXPECT_FALSE(open->icon().isNull());

    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QWidget *button = bar->widgetForAction(open);
    QTest::mouseMove(button, button->rect().center());
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Open an existing document");
}

// The lock panes show what the window system reports, read again after
// each lock key; without a report a press of the key toggles its pane.
TEST_F(MainFrame, StatusBarMessageAndLockKeyPanes)
{
    QList<QLabel *> panes;
    for (const char *name : {"indicator59137", "indicator59138", "indicator59139"})
        panes << frame->statusBar()->findChild<QLabel *>(name);
    ASSERT_FALSE(panes.contains(nullptr));
    EXPECT_EQ(QStringList({panes[0]->text(), panes[1]->text(), panes[2]->text()}), QStringList({"CAP", "NUM", "SCRL"}));
    const auto shown = [](const QList<QLabel *> &p) {
        return QList<bool>{p[0]->isEnabled(), p[1]->isEnabled(), p[2]->isEnabled()};
    };
    EXPECT_EQ(shown(panes), QList<bool>({false, false, false}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame->windowHandle(), Qt::Key_CapsLock);
    QTest::keyClick(frame->windowHandle(), Qt::Key_ScrollLock);
    EXPECT_EQ(shown(panes), QList<bool>({true, false, true}));
    QTest::keyClick(frame->windowHandle(), Qt::Key_CapsLock);
    EXPECT_EQ(shown(panes), QList<bool>({false, false, true}));

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
        EXPECT_TRUE(entry->isChecked());
        const int width = b.w->width();
        entry->trigger();
        EXPECT_TRUE(b.w->isHidden());
        EXPECT_FALSE(entry->isChecked());
        entry->trigger();
        EXPECT_FALSE(b.w->isHidden());
        EXPECT_TRUE(entry->isChecked());
        EXPECT_EQ(b.w->width(), width);
    }
}

TEST_F(MainFrame, DocumentWindowFillsTheClientArea)
{
    CChildFrame *child = frame->ActiveChild();
    CMdiClientWnd *client = frame->MdiClient();
    CMSFlexGrid &grid = child->GetView()->Grid();
    frame->showNormal();
    QList<int> widths;
    for (const QSize size : {QSize(1500, 900), QSize(1000, 700), QSize(500, 400)}) {
        frame->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(child->geometry(), client->viewport()->rect()) << size.width();
        widths << grid.ColWidth(5);
        EXPECT_NEAR(grid.ColWidth(1), grid.ColWidth(5) * 1.3, 30) << size.width();
    }
    EXPECT_GT(widths[0], widths[1]);
    EXPECT_GT(grid.horizontalScrollBar()->maximum(), 0);
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    EXPECT_LE(grid.CellRect(1, 8).right(), grid.viewport()->geometry().right());

    // Dragged by the user: it keeps the place it was given.
    const QPoint title(child->width() / 2, 5);
    QTest::mousePress(child, Qt::LeftButton, {}, title);
    child->setGeometry(20, 20, 300, 200);
    QTest::mouseRelease(child, Qt::LeftButton, {}, title);
    frame->resize(1200, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(20, 20, 300, 200));
}

TEST_F(MainFrame, TitleIsAlwaysTheCaption)
{
    const QString caption = "New caption  [ Type:CV-100  Fre:136-174MHz ]";
    frame->ActiveChild()->showMaximized();
    QCoreApplication::processEvents();
    s.state.SetCaption(caption);
    EXPECT_EQ(frame->windowTitle(), caption);
    frame->ActiveChild()->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), caption);
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

// Bitmap 137 stretched over the client area, unless the current folder
// holds background.bmp.
TEST_F(MainFrame, ClientBackground)
{
    frame->ActiveChild()->hide();
    QWidget *area = frame->MdiClient()->viewport();
    const QImage expected = BundleUi::Bitmap(Res::Background).toImage().scaled(area->size(), Qt::IgnoreAspectRatio);
    for (QPoint p : {QPoint(2, 2), QPoint(area->width() - 3, area->height() - 3)}) {
        const QColor got = area->grab().toImage().pixelColor(p), want = expected.pixelColor(p);
        EXPECT_LE(std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                      std::abs(got.blue() - want.blue()), 12)
            << p.x() << "," << p.y();
    }
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    ASSERT_TRUE(green.save(s.folder.File("background.bmp"), "BMP"));
    EXPECT_EQ(area->grab().toImage().pixelColor(5, 5), QColor(0, 200, 0));
}

} // namespace
