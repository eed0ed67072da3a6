// The language bundles as built: every template parses, both languages
// carry the same identifiers, the Chinese one is translated, and the
// readers refuse malformed templates with a reason.
#include "GuiTestSupport.h"

#include "app/LanguageBundle.h"
#include "app/MenuTemplate.h"
#include "image/OptionTable.h"

#include <map>

namespace {

const int kDialogs[] = {100, 101, 130, 131, 132, 134, 135, 136};

// What one bundle holds; every string the program uses is there, and
// every command carries a status prompt and a tooltip.
struct BundleContent {
    std::map<int, DialogTemplate> dialogs;
    std::vector<MenuEntry> menu128, menu129;
    std::vector<Accelerator> keys;
    ToolbarTemplate toolbar;
};

void ReadBundle(LanguageBundle &bundle, const char *language, BundleContent &c)
{
    const int used[] = {Ids::AppTitle, Ids::DocTemplate, Ids::IdleMessage, Ids::IndicatorCaps, Ids::IndicatorNum,
                        Ids::IndicatorScroll, Ids::NavClose, Ids::OpenNotImage, Ids::OpenUnreadable,
                        Ids::SaveFailed, Ids::LanguageNotSaved, Ids::OpenTitle, Ids::SaveAsTitle,
                        Ids::AllDataCleared, Ids::OutOfRange, Ids::CommError, Ids::PortOpenFail,
                        Ids::ProgramInterrupt, Ids::StepError, Ids::Caution, Ids::RangeDetail,
                        Ids::StepDetail, Ids::NoBand, Ids::FileFilterName};
    EXPECT_TRUE(bundle.Load(QStringLiteral(CORVANE_BIN_DIR), QLatin1String(language)));
    for (int id : kDialogs) {
        const corvane::Result r = DialogTemplate::Load(id, c.dialogs[id]);
        EXPECT_TRUE(r.ok()) << language << " " << id << ": " << r.text.toStdString();
    }
    EXPECT_TRUE(MenuTemplate::LoadMenu(128, c.menu128).ok());
    EXPECT_TRUE(MenuTemplate::LoadMenu(129, c.menu129).ok());
    EXPECT_TRUE(MenuTemplate::LoadAccelerators(128, c.keys).ok());
    EXPECT_TRUE(MenuTemplate::LoadToolbar(128, c.toolbar).ok());
    for (int id : used)
        EXPECT_FALSE(bundle.String(id).isEmpty()) << language << " " << id;
    for (const MenuEntry &p : c.menu129)
        for (const MenuEntry &e : p.items)
            if (!e.separator) {
                EXPECT_FALSE(bundle.Prompt(e.id).isEmpty()) << language << " " << e.id;
                EXPECT_FALSE(bundle.ToolTip(e.id).isEmpty()) << language << " " << e.id;
            }
    // The option labels are the option table's, which printing and the
    // command line use too: a check box carries its own, a list has it on
    // the control before. (The lists' items come from the table at run time.)
    const bool chinese = qstrcmp(language, "Chinese") == 0;
    const DialogTemplate &options = c.dialogs[132];
    for (const corvane::OptionField &f : corvane::OptionFields()) {
        const DialogControl *at = options.Find(f.controlId);
        ASSERT_TRUE(at && at > options.controls.data()) << f.label;
        EXPECT_EQ((f.kind == corvane::OptionKind::CheckBit ? at : at - 1)->text, f.Label(chinese)) << f.label;
    }
}

bool HasChinese(const QString &s)
{
    return s.contains(QRegularExpression(QStringLiteral("[\\x{4E00}-\\x{9FFF}]")));
}

QList<int> MenuIds(const std::vector<MenuEntry> &menu)
{
    QList<int> ids;
    for (const MenuEntry &p : menu) {
        ids << -1;
        for (const MenuEntry &e : p.items)
            ids << (e.separator ? 0 : e.id);
    }
    return ids;
}

TEST(Bundles, BothLanguagesCarryTheSameResources)
{
    LanguageBundle en, zh;
    BundleContent e, c;
    ReadBundle(en, "English", e);
    const QString enStrings = QString::fromUtf8(en.File("strings.txt"));
    en.Unload();
    ReadBundle(zh, "Chinese", c);
    for (int id : kDialogs) {
        const DialogTemplate &a = e.dialogs.at(id), &b = c.dialogs.at(id);
        EXPECT_EQ(a.size, b.size) << id;
        ASSERT_EQ(a.controls.size(), b.controls.size()) << id;
        for (size_t i = 0; i < a.controls.size(); ++i) {
            const DialogControl &x = a.controls[i], &y = b.controls[i];
            EXPECT_TRUE(x.id == y.id && x.kind == y.kind && x.rect == y.rect && x.items.size() == y.items.size())
                << id << "/" << x.id << ": id, kind, place or number of items differ";
            // Words are translated; numbers, "OK"-like codes and names stay.
            if (x.text.contains(QRegularExpression("^[A-Za-z][a-z]+( [A-Za-z][a-z]+)*$")) && x.text != "LED") {
                EXPECT_TRUE(HasChinese(y.text)) << id << "/" << x.id << " " << y.text.toStdString();
            }
        }
        EXPECT_TRUE(a.caption.isEmpty() || HasChinese(b.caption)) << id;
    }
    EXPECT_EQ(MenuIds(e.menu128), MenuIds(c.menu128));
    EXPECT_EQ(MenuIds(e.menu129), MenuIds(c.menu129));
    for (const MenuEntry &p : c.menu129) {
        EXPECT_TRUE(HasChinese(p.text)) << p.text.toStdString();
        for (const MenuEntry &m : p.items)
            EXPECT_TRUE(m.separator || HasChinese(m.text)) << m.text.toStdString();
    }
    EXPECT_EQ(e.keys.size(), c.keys.size());
    EXPECT_EQ(e.toolbar.buttons, c.toolbar.buttons);
    for (const QString &line : enStrings.split('\n', Qt::SkipEmptyParts)) {
        const int id = line.section('\t', 0, 0).toInt();
        EXPECT_FALSE(zh.String(id).isEmpty()) << id;
    }
}

TEST(Templates, MalformedTemplatesAreRefusedWithAReason)
{
    const struct { const char *json; const char *reason; } dialogs[] = {
        {"{ not json", "dialog template"},
        {"[1, 2]", "not an object"},
        {R"({"size": [10]})", "size"},
        {R"({"size": [10, 10], "controls": [{"id": 1, "kind": "slider", "rect": [0,0,1,1]}]})", "slider"},
        {R"({"size": [10, 10], "controls": [{"id": 7, "kind": "push", "rect": [0,0,1]}]})", "control 7"},
    };
    for (const auto &c : dialogs) {
        DialogTemplate t;
        t.caption = "untouched";
        const corvane::Result r = DialogTemplate::Parse(c.json, t);
        EXPECT_EQ(r.status, corvane::Status::Rejected) << c.json;
        EXPECT_TRUE(r.text.contains(c.reason)) << r.text.toStdString();
        EXPECT_EQ(t.caption, "untouched");
    }
    std::vector<MenuEntry> menu;
    EXPECT_FALSE(MenuTemplate::ParseMenu(R"({"129": [{"text": "&F", "items": [{"text": "x"}]}]})", 129, menu).ok());
    EXPECT_TRUE(menu.empty());
}

} // namespace
