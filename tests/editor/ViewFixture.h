#pragma once
// A channel view over a new document in a temporary world (settings with
// the band 130-160MHz, per-user store, language bundle), shown, active and
// driven with QTest keys and clicks. Message texts and help requests are
// recorded instead of shown.
#include "app/GuiTestSupport.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"

namespace editortest {

class ViewFixture : public ::testing::Test {
protected:
    void Open(const QByteArray &language = "English")
    {
        env = std::make_unique<testenv::TestEnv>(testenv::DefaultIni(language));
        doc.OnNewDocument(env->app);
        view = std::make_unique<CProgramView>(doc, env->app);
        view->OnInitialUpdate();
        view->resize(1000, 700);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        CProgramView::SetMessageHook([this](QWidget *, const QString &, const QString &text) { messages << text; });
        HelpService::SetHandler([this](const QString &file, int id) { help << file + "#" + QString::number(id); });
    }
    void TearDown() override
    {
        CProgramView::SetMessageHook(nullptr);
        HelpService::SetHandler(nullptr);
    }

    CMSFlexGrid &Grid() { return view->Grid(); }
    QStringList GridRow(int row)
    {
        QStringList out;
        for (int c = 1; c <= 8; ++c)
            out << Grid().TextMatrix(row, c);
        return out;
    }
    QWidget *Focus() { return QApplication::focusWidget(); }
    bool EditorHidden()
    {
        for (QWidget *e : Grid().findChildren<QWidget *>())
            if (e->property("controlId").isValid() && !e->isHidden())
                return false;
        return true;
    }
    void Click(int row, int col)
    {
        Grid().scrollTo(Grid().model()->index(row - 1, col - 1));
        const QRect r = Grid().visualRect(Grid().model()->index(row - 1, col - 1));
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, r.center());
    }
    void Type(const QString &text) { QTest::keyClicks(Focus(), text); }
    void Key(Qt::Key key) { QTest::keyClick(Focus(), key); }
    void Enter() { Key(Qt::Key_Return); }
    // Types text into the receive cell of row and presses Enter.
    void NewChannel(int row, const QString &rx)
    {
        Click(row, 1);
        Type(rx);
        Enter();
    }
    QPoint Cell() { return QPoint(Grid().Row(), Grid().Col()); }

    std::unique_ptr<testenv::TestEnv> env;
    CProgramDoc doc;
    std::unique_ptr<CProgramView> view;
    QStringList messages, help;
};

} // namespace editortest
