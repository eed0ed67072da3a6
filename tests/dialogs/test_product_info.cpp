// The Product Information dialog over a document and its view: the lists
// it opens with, what OK applies (the grid's range check at once) as one
// undo step, Cancel, and a stored pair that names no configured band.
#include "dialogs/CProductInfoDlg.h"
#include "editor/ViewFixture.h"
#include "image/ProductInfo.h"
#include "settings/UserStore.h"

#include <QComboBox>

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
    // Stores the pair, opens the dialog on it; button 1 (OK) or 2 closes it.
    void Run(uint32_t type, uint32_t field, int button = 0)
    {
        UserStore store(QStringLiteral("CorvaneTest"));
        store.WriteNumber(QStringLiteral("Type"), type);
        store.WriteNumber(QStringLiteral("Field"), field);
        dlg->OnInitDialog(doc, view.get());
        dlg->show();
        if (button)
            Press(button);
    }
    void Press(int button)
    {
        qobject_cast<QPushButton *>(dlg->Control(button))->click();
        EXPECT_FALSE(dlg->isVisible());
    }
    // The band the grid checks, the caption and the modified mark.
    QString State()
    {
        return QStringLiteral("%1-%2 %3 %4").arg(view->m_nBandLow).arg(view->m_nBandHigh).arg(env->app.caption)
            .arg(doc.IsModified());
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
        Run(c.type, c.field);
        EXPECT_EQ(Items(dlg->m_comboType), "T-1|T-2|T-3");
        EXPECT_EQ(dlg->m_comboType->currentIndex(), c.typeShown) << c.type;
        EXPECT_EQ(Items(dlg->m_comboBand), c.bands) << c.type;
        EXPECT_EQ(dlg->m_comboBand->currentIndex(), c.bandShown) << c.type;
        EXPECT_FALSE(dlg->m_comboType->isEnabled() || dlg->m_comboBand->isEnabled());
        Press(2);
    }
}

// OK writes the pair's bytes and no others and gives the grid the new band
// at once; undo puts back the bytes, the band and the caption, redo applies
// them again.
TEST_F(ProductInfo, OkAppliesThePairAsOneUndoStep)
{
    doc.SetModifiedFlag(false);
    const MemoryImage before = doc.m_image;
    const QString old = State();
    Run(1, 0, 1);
    MemoryImage expected = before; // the bytes of T-2, 136-174MHz, and no others
    ASSERT_TRUE(ApplyProductChoice({1, 0, "T-2", "136-174MHz"}, expected, env->app).applied);
    EXPECT_EQ(doc.m_image, expected);
    const QString applied = "13600000-17400000 Test Programmer  [ Type:T-2  Fre:136-174MHz ] 1";
    EXPECT_EQ(State(), applied);
    view->History().Undo();
    EXPECT_EQ(doc.m_image, before);
    EXPECT_EQ(State(), old);
    view->History().Redo();
    EXPECT_EQ(doc.m_image, expected);
    EXPECT_EQ(State(), applied);
}

TEST_F(ProductInfo, CancelAndAStoredPairWithoutABandChangeNothing)
{
    const MemoryImage before = doc.m_image;
    const QString state = State();
    for (const auto &[type, field, button] : {std::tuple{1u, 0u, 2}, std::tuple{7u, 0u, 1}, std::tuple{0u, 5u, 1}}) {
        Run(type, field, button);
        EXPECT_EQ(doc.m_image, before) << type << "/" << field;
        EXPECT_EQ(State(), state);
        uint32_t stored = 0, unused = 0;
        ReadStoredProduct(env->app, stored, unused);
        EXPECT_EQ(stored, type) << "the store keeps its pair";
    }
}

} // namespace
