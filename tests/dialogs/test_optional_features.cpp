// The Optional Features dialog over a document: what it shows, what OK and
// Cancel leave in the image, the Chinese lists and F1. The option mapping
// itself is that of tests/image; here every control meets its field.
#include "dialogs/COptionalFeaturesDlg.h"
#include "editor/ViewFixture.h"
#include "image/OptionChoices.h"

#include <QCheckBox>
#include <QComboBox>

using namespace corvane;

namespace {

int ItemCount(const OptionField &f) { return f.kind == OptionKind::CheckBit ? 2 : int(f.items.size()); }

class OptionalFeatures : public editortest::ViewFixture {
protected:
    void Start(const QByteArray &language = "English")
    {
        Open(language);
        dlg = std::make_unique<COptionalFeaturesDlg>(env->app, view.get());
    }
    // Opens the dialog on the document (over the view when given), lets
    // `edit` work on it, then presses OK or Cancel.
    void Run(const std::function<void()> &edit, bool ok, CProgramView *over = nullptr)
    {
        dlg->OnInitDialog(doc, over);
        dlg->show();
        edit();
        qobject_cast<QPushButton *>(dlg->Control(ok ? 1 : 2))->click();
        ASSERT_FALSE(dlg->isVisible());
    }
    void Set(const OptionField &f, int index)
    {
        if (f.kind == OptionKind::CheckBit)
            dlg->Beep()->setChecked(index == 1);
        else
            dlg->List(f.controlId)->setCurrentIndex(index);
    }
    int Shown(const OptionField &f)
    {
        return f.kind == OptionKind::CheckBit ? int(dlg->Beep()->isChecked()) : dlg->List(f.controlId)->currentIndex();
    }
    // Beep as "on"/"off", then the text of every list, in table order.
    QString ShownTexts()
    {
        QStringList out;
        for (const OptionField &f : OptionFields())
            out << (f.kind == OptionKind::CheckBit ? (dlg->Beep()->isChecked() ? "on" : "off")
                                                   : dlg->List(f.controlId)->currentText());
        return out.join('|');
    }

    std::unique_ptr<COptionalFeaturesDlg> dlg;
};

// All ones: lists beyond their items show nothing, and OK stores the
// dialog's bytes; every item of every control is stored in its field's byte
// only and shows again when the dialog reopens.
TEST_F(OptionalFeatures, OkStoresEveryItemInItsFieldAndReopensOnIt)
{
    Start();
    for (int o = 0x1FC0; o <= 0x1FEF; ++o)
        doc.m_image.setOption(o, 0xFF);
    doc.SetModifiedFlag(false);
    MemoryImage expected = doc.m_image; // what an unchanged OK stores (tests/image)
    ApplyOptionChoices(OptionChoicesFromImage(expected), expected);
    Run([&] { EXPECT_EQ(ShownTexts(), "on||||Off|Off|TO|On|Auto|On|On|Memory|||||Off"); }, true);
    EXPECT_EQ(doc.m_image, expected);
    EXPECT_TRUE(doc.IsModified());

    for (const OptionField &f : OptionFields()) {
        for (int i = 0; i < ItemCount(f); ++i) {
            MemoryImage others = doc.m_image;
            Run([&] { Set(f, i); }, true);
            others.setOption(f.offset, doc.m_image.option(f.offset));
            EXPECT_EQ(doc.m_image, others) << f.label << " " << i;
            Run([&] { EXPECT_EQ(Shown(f), i) << f.label; }, false);
        }
    }
}

// Cancel after changing every control leaves the image. Over a view, OK is
// one undo step of that view: undo gives the image back byte for byte; an
// OK that changes nothing is no step.
TEST_F(OptionalFeatures, CancelLeavesTheImageAndOkOverAViewIsOneUndoStep)
{
    Start();
    const MemoryImage before = doc.m_image;
    const auto changeAll = [&] {
        for (const OptionField &f : OptionFields())
            Set(f, (Shown(f) + 1) % ItemCount(f));
    };
    Run(changeAll, false, view.get());
    EXPECT_EQ(doc.m_image, before);
    EXPECT_FALSE(doc.IsModified());
    Run([&] { Set(OptionFields()[3], 5); }, true, view.get());
    Run([] {}, true, view.get());
    EXPECT_EQ(view->History().Stack().count(), 1);
    const MemoryImage after = doc.m_image;
    view->History().Undo();
    EXPECT_EQ(doc.m_image, before);
    EXPECT_FALSE(doc.IsModified());
    view->History().Redo();
    EXPECT_EQ(doc.m_image, after);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(OptionalFeatures, ChineseListsAndF1ForTheFocusedControl)
{
    Start("Chinese");
    dlg->OnInitDialog(doc);
    dlg->show();
    EXPECT_EQ(ShownTexts(), QString::fromUtf8("on|1|1|12.5k|关|关|CO|自动|手动|关|开|频率|关|1|0.4|3s|关"));
    dlg->List(1117)->setFocus();
    QTest::keyClick(dlg->List(1117), Qt::Key_F1);
    dlg->Beep()->setFocus();
    QTest::keyClick(dlg->Beep(), Qt::Key_F1);
    EXPECT_EQ(help, (QStringList{"chHelp.chm#1117", "chHelp.chm#1016"}));
    dlg->reject();
}

} // namespace
