// The Product Information dialog over a document and its view: the lists
// it opens with, what OK applies (the grid's range check at once), Cancel,
// a stored pair that names no configured band, and F1.
#include "dialogs/CProductInfoDlg.h"
#include "editor/ViewFixture.h"
#include "image/ProductInfo.h"
#include "settings/UserStore.h"

#include <QComboBox>
#include <QPushButton>

using namespace corvane;

namespace {

QString Items(const QComboBox *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out.join('|');
}

class ProductInfo : public editortest::ViewFixture {
protected:
    void SetUp() override
    {
        Open();
        dlg = std::make_unique<CProductInfoDlg>(env->app, view.get());
    }
    void Store(uint32_t type, uint32_t field)
    {
        UserStore store(QStringLiteral("CorvaneTest"));
        store.WriteNumber(QStringLiteral("Type"), type);
        store.WriteNumber(QStringLiteral("Field"), field);
    }
    void Press(int button)
    {
        qobject_cast<QPushButton *>(dlg->Control(button))->click();
        EXPECT_FALSE(dlg->isVisible());
    }
    void Show()
    {
        dlg->OnInitDialog(doc, view.get());
        dlg->show();
    }

    std::unique_ptr<CProductInfoDlg> dlg;
};

TEST_F(ProductInfo, OpensOnTheStoredPairWithBothListsDisabled)
{
    const struct { uint32_t type, field; int typeShown; const char *bands; int bandShown; } cases[] = {
        {0, 1, 0, "130-160MHz|400-470MHz", 1},
        {2, 1, 2, "100-200MHz|130 - 160MHz", 1},
        {1, 3, 1, "136-174MHz", -1}, // a band beyond the list: no selection
        {7, 0, -1, "", 0},           // a type beyond the list: "Field0", one empty entry
    };
    for (const auto &c : cases) {
        Store(c.type, c.field);
        Show();
        EXPECT_EQ(Items(dlg->m_comboType), "T-1|T-2|T-3");
        EXPECT_EQ(dlg->m_comboType->currentIndex(), c.typeShown) << c.type;
        EXPECT_EQ(Items(dlg->m_comboBand), c.bands) << c.type;
        EXPECT_EQ(dlg->m_comboBand->currentIndex(), c.bandShown) << c.type;
        EXPECT_FALSE(dlg->m_comboType->isEnabled());
        EXPECT_FALSE(dlg->m_comboBand->isEnabled());
        Press(2);
    }
}

TEST_F(ProductInfo, OkAppliesThePairAndTheGridChecksTheNewBandAtOnce)
{
    NewChannel(1, "170"); // outside 130-160 MHz
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Out of range,please input again.\nBand: 130.00000 – 160.00000 MHz");
    QTest::keyClick(Focus(), Qt::Key_Escape); // the editor reopened on the typed text; give it up
    doc.SetModifiedFlag(false);
    const MemoryImage before = doc.m_image;

    Store(1, 0); // T-2, 136-174MHz
    Show();
    Press(1);
    MemoryImage expected = before;
    const std::pair<int, uint8_t> written[] = {{Off::radioType, 1}, {Off::bandIndex, 0}, {Off::bandLimits, 0x13},
                                               {Off::bandLimits + 1, 0x17}, {Off::bandLimits + 2, 0x63}};
    for (const auto &[offset, value] : written)
        expected.setOption(offset, value);
    EXPECT_EQ(doc.m_image, expected) << "OK writes these bytes and no other";
    EXPECT_EQ(view->m_nBandLow, 13600000);
    EXPECT_EQ(view->m_nBandHigh, 17400000);
    EXPECT_EQ(env->app.caption, "Test Programmer  [ Type:T-2  Fre:136-174MHz ]");
    EXPECT_TRUE(doc.IsModified());

    NewChannel(1, "170");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(GridRow(1).first(), "170.00000");
}

TEST_F(ProductInfo, CancelAndAStoredPairWithoutABandChangeNothing)
{
    const MemoryImage before = doc.m_image;
    const QString caption = env->app.caption;
    for (const auto &[type, field, button] : {std::tuple{1u, 0u, 2}, std::tuple{7u, 0u, 1}, std::tuple{0u, 5u, 1}}) {
        Store(type, field);
        Show();
        Press(button);
        EXPECT_EQ(doc.m_image, before) << type << "/" << field;
        EXPECT_EQ(env->app.caption, caption);
        EXPECT_EQ(view->m_nBandLow, 13000000);
        EXPECT_EQ(view->m_nBandHigh, 16000000);
        EXPECT_FALSE(doc.IsModified());
        uint32_t stored = 0, unused = 0;
        ReadStoredProduct(env->app, stored, unused);
        EXPECT_EQ(stored, type) << "the store keeps its pair";
    }
}

// OK is one undo step: undo puts back the image's bytes, the band the grid
// checks and the caption, redo applies them again.
TEST_F(ProductInfo, OkIsOneUndoStep)
{
    const MemoryImage before = doc.m_image;
    const QString caption = env->app.caption;
    Store(1, 0); // T-2, 136-174MHz
    Show();
    Press(1);
    const MemoryImage after = doc.m_image;
    ASSERT_NE(after, before);
    view->History().Undo();
    EXPECT_EQ(doc.m_image, before);
    EXPECT_EQ(view->m_nBandHigh, 16000000);
    EXPECT_EQ(env->app.caption, caption);
    EXPECT_FALSE(doc.IsModified());
    NewChannel(1, "170");
    EXPECT_EQ(messages.size(), 1u) << "the old band is checked again";
    QTest::keyClick(Focus(), Qt::Key_Escape);
    view->History().Redo();
    EXPECT_EQ(doc.m_image, after);
    EXPECT_EQ(view->m_nBandHigh, 17400000);
    EXPECT_EQ(env->app.caption, "Test Programmer  [ Type:T-2  Fre:136-174MHz ]");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ProductInfo, F1OnOkAsksContextOne)
{
    Show();
    EXPECT_EQ(dlg->focusWidget(), dlg->Control(1)) << "OK is the first control that can take the focus";
    QTest::keyClick(dlg->Control(1), Qt::Key_F1);
    EXPECT_EQ(help, QStringList{"enHelp.chm#1"});
    Press(2);
}

} // namespace
