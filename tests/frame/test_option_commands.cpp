// The option dialogs as the main window opens them: from the Edit menu and
// from the navigation tree, on the active document also while its window
// is hidden, and not at all when no document window exists (the last one
// closed by New, a file that then fails to open).
#include "../app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/CNavigationBar.h"
#include "image/CProgramDoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>

namespace {

class OptionCommands : public AppFixture {
protected:
    OptionCommands() { EXPECT_TRUE(QTest::qWaitForWindowExposed(frame)); }
    QAction *EditEntry(int command) { return MenuAction(frame, 1, command); }
    void ClickTreeItem(int i)
    {
        QTreeWidget *tree = frame->NavigationBar()->Tree();
        ClickItem(tree, tree->topLevelItem(0)->child(i));
    }
    // Runs `trigger`; the modal dialog it opens, if any, is handed to
    // `answer`, which must close it. Returns that dialog.
    QDialog *Modal(const std::function<void()> &trigger, const std::function<void(QDialog *)> &answer)
    {
        QPointer<QDialog> seen;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (seen)
                answer(seen);
        });
        trigger();
        QApplication::processEvents();
        return seen;
    }
    CProgramDoc &Doc() { return frame->ActiveChild()->GetDocument(); }

};

const auto kReject = [](QDialog *d) { d->reject(); };

TEST_F(OptionCommands, EditMenuAndTreeOpenTheDialogsOnTheActiveDocument)
{
    const auto setStep25k = [](QDialog *d) {
        static_cast<COptionalFeaturesDlg *>(d)->List(1117)->setCurrentIndex(5);
        d->accept();
    };
    EXPECT_EQ(Modal([&] { EditEntry(Cmd::OptionalFeatures)->trigger(); }, setStep25k), frame->OptionalFeaturesDialog());
    EXPECT_EQ(Doc().m_image.option(corvane::Off::stepIndex), 5);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Modal([&] { EditEntry(Cmd::ProductInfo)->trigger(); }, kReject), frame->ProductInfoDialog());
    EXPECT_EQ(Modal([&] { ClickTreeItem(2); }, kReject), frame->OptionalFeaturesDialog());
    const auto ok = [](QDialog *d) { d->accept(); };
    EXPECT_EQ(Modal([&] { ClickTreeItem(0); }, ok), frame->ProductInfoDialog());
    EXPECT_EQ(frame->windowTitle(), "Test Programmer  [ Type:CV-100  Fre:136-174MHz ]");
}

TEST_F(OptionCommands, AHiddenDocumentWindowIsStillTheOneEdited)
{
    frame->HideActiveChild();
    const auto setBeepOff = [](QDialog *d) {
        static_cast<COptionalFeaturesDlg *>(d)->Beep()->setChecked(false);
        d->accept();
    };
    EXPECT_TRUE(Modal([&] { ClickTreeItem(2); }, setBeepOff));
    EXPECT_EQ(Doc().m_image.option(corvane::Off::beepFlags), 0xFE);
}

TEST_F(OptionCommands, WithoutADocumentWindowNeitherDialogOpens)
{
    frame->DestroyActiveChild();
    EXPECT_FALSE(s.app->Documents()->OpenFile(s.folder.File("missing.dat")));
    ASSERT_EQ(frame->ActiveChild(), nullptr);
    for (int command : {Cmd::OptionalFeatures, Cmd::ProductInfo}) {
        EXPECT_FALSE(frame->Router().IsEnabled(command));
        EXPECT_FALSE(Modal([&] { frame->Router().Execute(command); }, kReject));
    }
    EXPECT_FALSE(Modal([&] { ClickTreeItem(2); }, kReject));
    EXPECT_FALSE(Modal([&] { ClickTreeItem(0); }, kReject));
    EXPECT_FALSE(Modal([&] { frame->Navigate("Optional Features"); }, kReject));
}

} // namespace
