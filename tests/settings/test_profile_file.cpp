#include "settings/CProfileFile.h"
#include "support/TestEnv.h"
#include "support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QByteArray kNone = "<none>"; // default passed to lookups that must miss

class ProfileFile : public ::testing::Test {
protected:
    testenv::TestEnv env;
    QString Put(const QByteArray &bytes, const QString &name = QStringLiteral("Program.ini"))
    {
        return env.WriteFile(name, bytes);
    }
    static QByteArray Get(const QString &path) { return testenv::TestEnv::ReadFile(path); }
};

struct LookupCase { const char *name; QByteArray file, section, key, expected; bool caseInsensitive = true; };

TEST_F(ProfileFile, LookupsFollowTheFileRules)
{
    const LookupCase cases[] = {
        {"later duplicate key wins", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "2"},
        {"first duplicate section wins", "[S]\nk=1\n[S]\nk=2\nonly=x\n", "S", "k", "1"},
        {"entries before any header", "top=1\n[S]\nk=2\n", "", "top", "1"},
        {"blanks before a comment stay", "[S]\nk=word  // remark\n", "S", "k", "word  "},
        {"tab inside value stays", "k=a\tb", "", "k", "a\tb"},
        {"tab semicolon cuts", "k=a\t;b", "", "k", "a"},
        {"semicolon without tab stays", "k=a ;b", "", "k", "a ;b"},
        {"address cut after scheme", "k=http://example.org/x", "", "k", "http:"},
        {"slash star cuts", "k=a /* b */", "", "k", "a "},
        {"slashes cut before tab semicolon", "k=x\t;y//z", "", "k", "x"},
        {"tab semicolon cut before slash star", "k=a /* b \t; c", "", "k", "a "},
        {"slashes cut before overlapping slash star", "k=a//*b", "", "k", "a"},
        {"line without equals", "[S]\nlonely word\n", "S", "lonely word", ""},
        {"bracket without close is a key", "[S\nk=1\n", "", "k", "1"},
        {"blanks inside brackets are the name", "[ S ]\nk=1", " S ", "k", "1"},
        {"blanks inside brackets do not match", "[ S ]\nk=1", "S", "k", kNone},
        {"key and value trimmed", " \t k  =  v w \v\f\r\n", "", "k", "v w"},
        {"split at first equals", "k=a=b", "", "k", "a=b"},
        {"empty value found", "k=", "", "k", ""},
        {"lone CR ends a line", "a=1\rb=2\r", "", "b", "2"},
        {"no final newline", "[S]\nk=last", "S", "k", "last"},
        {"NUL byte kept", QByteArray("k=a\0b\n", 6), "", "k", QByteArray("a\0b", 3)},
        {"byte order mark skipped", "\xEF\xBB\xBF[S]\nk=1", "S", "k", "1"},
        {"only the first mark skipped", "\xEF\xBB\xBF\xEF\xBB\xBFkey=1", "", "\xEF\xBB\xBFkey", "1"},
        {"missing section", "[S]\nk=1", "T", "k", kNone},
        {"prefix of a key", "ab=1", "", "abc", kNone},
        // Letter case folds at both ends of the alphabet, ASCII letters only,
        // and never inside a double-byte character.
        {"other letter case found", "[Setup]\nLanguage=English", "SETUP", "language", "English"},
        {"ends of the alphabet fold", "[Zone]\nAlpha=1", "zONE", "aLPHA", "1"},
        {"case-sensitive store", "ABC=1", "", "abc", kNone, false},
        {"next to the letters", "x[=1\nx@=1", "", "x{", kNone},
        {"next to the letters too", "x[=1\nx@=1", "", "x`", kNone},
        {"trail byte 'A' is no letter", "\x81\x41=1", "", "\x81\x61", kNone},
        {"trail byte 'A' is no letter, then a letter", "\xB0\x41x=1", "", "\xB0\x61X", kNone},
        {"letter after a whole character folds", "\xBF\xC6" "A=1", "", "\xBF\xC6" "a", "1"},
        {"letter after a UTF-8 character folds", "\xE7\xA7\x91" "A=1", "", "\xE7\xA7\x91" "a", "1"},
        {"lead byte without trail byte", "a\x81=1", "", "A\x81", "1"},
        {"other double-byte character", "\xBF\xC6=1", "", "\xBF\xC7", kNone},
    };
    for (const LookupCase &c : cases) {
        CProfileFile store;
        ASSERT_TRUE(store.LoadPath(Put(c.file), false, c.caseInsensitive)) << c.name;
        EXPECT_EQ(store.GetString(c.section, c.key, kNone), c.expected) << c.name;
    }
}

struct Set { QByteArray section, key, value; };
struct WriteCase { const char *name; QByteArray file; std::vector<Set> sets; QByteArray written; };

TEST_F(ProfileFile, WritesSectionsAndEntriesWithCrLf)
{
    const WriteCase cases[] = {
        {"comments and blank lines not written back", "; c\n/c\n\n[S]\n \\c\n*c\nlonely\nk=1\n", {{"S", "k", "2"}},
         "[S]\r\nlonely=\r\nk=2\r\n"},
        {"unnamed section first without header", "top=1\n[S]\nk=1\n", {{"s", "new", "x"}},
         "top=1\r\n[S]\r\nk=1\r\nnew=x\r\n"},
        {"second duplicate section unchanged", "[S]\nk=1\n[S]\nk=9\n", {{"S", "k", "2"}}, "[S]\r\nk=2\r\n[S]\r\nk=9\r\n"},
        {"later duplicate key replaced, spelling kept", "[S]\nk=1\nk=2\n", {{"S", "K", "3"}}, "[S]\r\nk=1\r\nk=3\r\n"},
        {"new section appended", "[S]\nk=1\n", {{"T", "a", "b"}}, "[S]\r\nk=1\r\n[T]\r\na=b\r\n"},
        {"empty section name gets no header", "[A]\na=1\n[]\nb=2\n", {{"A", "c", "3"}}, "[A]\r\na=1\r\nc=3\r\nb=2\r\n"},
        {"trailing comment of a value kept", "k=v // note\n", {{"", "j", "1"}}, "k=v // note\r\nj=1\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBFk=1", {{"", "k", "2"}}, "\xEF\xBB\xBFk=2\r\n"},
        {"case-only change rides along", "k=abc\n", {{"", "k", "ABC"}, {"", "j", "1"}}, "k=ABC\r\nj=1\r\n"},
    };
    for (const WriteCase &c : cases) {
        const QString path = Put(c.file);
        CProfileFile store;
        ASSERT_TRUE(store.LoadPath(path, false)) << c.name;
        for (const Set &s : c.sets)
            store.SetString(s.section, s.key, s.value);
        EXPECT_TRUE(store.Save()) << c.name;
        EXPECT_FALSE(store.IsDirty()) << c.name;
        EXPECT_EQ(Get(path), c.written) << c.name;
    }
    // After a reload the entries of a "[]" section belong to the one before.
    CProfileFile store;
    ASSERT_TRUE(store.LoadPath(Put("[A]\r\na=1\r\n[]\r\nb=2\r\n"), false));
    EXPECT_EQ(store.GetString("A", "b", kNone), kNone);
    store.SetString("A", "a", "3");
    ASSERT_TRUE(store.LoadPath(store.Path(), false));
    EXPECT_EQ(store.GetString("A", "b", kNone), "2");
}

struct DirtyCase { const char *name; bool caseInsensitive; Set set; bool dirty; };

TEST_F(ProfileFile, DirtyOnlyWhenSomethingChanged)
{
    const DirtyCase cases[] = {
        {"same value", true, {"S", "k", "Abc"}, false},
        {"case-only change, case-insensitive", true, {"s", "K", "aBC"}, false},
        {"case-only change, case-sensitive", false, {"S", "k", "aBC"}, true},
        {"double-byte trail letter case is a change", true, {"S", "g", "\x81\x61"}, true},
        {"other value", true, {"S", "k", "x"}, true},
        {"new key", true, {"S", "n", "Abc"}, true},
        {"new section", true, {"T", "k", "Abc"}, true},
        {"line break in value refused", true, {"S", "k", "x\r\n[Evil]"}, false},
        {"line break in section refused", true, {"S\n", "k", "x"}, false},
        {"empty key refused", true, {"S", "", "x"}, false},
        {"key with equals refused", true, {"S", "a=b", "x"}, false},
        {"key with outer blank refused", true, {"S", " k", "x"}, false},
        {"value with outer blank refused", true, {"S", "k", "x "}, false},
        {"value with leading tab refused", true, {"S", "k", "\tx"}, false},
        {"comment key refused", true, {"S", ";k", "x"}, false},
        {"entry that reads as a header refused", true, {"S", "[a", "b]"}, false},
    };
    const QByteArray file = "; keep me\n\n[S]\nk=Abc\ng=\x81\x41\n";
    for (const DirtyCase &c : cases) {
        const QString path = Put(file);
        {
            CProfileFile store;
            ASSERT_TRUE(store.LoadPath(path, true, c.caseInsensitive));
            store.SetString(c.set.section, c.set.key, c.set.value);
            EXPECT_EQ(store.IsDirty(), c.dirty) << c.name;
        } // saved on close when dirty
        EXPECT_EQ(Get(path) == file, !c.dirty) << c.name;
    }
}

// A store that never loaded (a file that cannot be created, or a folder)
// answers defaults and ignores changes.
TEST_F(ProfileFile, NeverLoadedStoreAnswersDefaultsAndIgnoresChanges)
{
    CProfileFile store;
    EXPECT_FALSE(store.LoadPath(env.Path("missing/Program.ini"), true));
    EXPECT_FALSE(store.LoadPath(env.Path(""), true));
    store.SetString("Setup", "Language", "Chinese");
    EXPECT_FALSE(store.IsLoaded() || store.IsDirty());
    EXPECT_EQ(store.GetString("Setup", "Language", "d"), "d");
    EXPECT_EQ(store.Text("Setup", "Language", QStringLiteral("t")), QStringLiteral("t"));
    EXPECT_TRUE(store.Save());
}

TEST_F(ProfileFile, LifecycleCreatesSavesAndSavesBeforeReload)
{
    const QString a = env.Path("a.ini"), b = Put("k=b\n", "b.ini");
    auto store = std::make_unique<CProfileFile>();
    ASSERT_TRUE(store->LoadPath(a, false));
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_EQ(Get(a), "");
    store->SetString("Setup", "Language", "English");
    ASSERT_TRUE(store->LoadPath(b, false)); // a is dirty: written first
    EXPECT_EQ(Get(a), "[Setup]\r\nLanguage=English\r\n");
    EXPECT_EQ(store->GetString("Setup", "Language", kNone), kNone);
    store->SetString("", "k", "changed");
    store.reset(); // save-on-close not set
    EXPECT_EQ(Get(b), "k=b\n");

    // A failed write reports it, stays dirty and leaves no stray file behind.
    CProfileFile failing;
    ASSERT_TRUE(failing.LoadPath(b, false));
    failing.SetString("", "k", "changed");
    ASSERT_TRUE(QFile::remove(b));
    ASSERT_TRUE(QDir().mkpath(env.Path("b.ini/sub")));
    EXPECT_FALSE(failing.Save());
    EXPECT_TRUE(failing.IsDirty());
    EXPECT_EQ(QDir(env.Path("")).entryList(QDir::Files), (QStringList{"a.ini", "Program.ini"}));
}

// As an ordinary user: a folder that does not allow the temporary file
// leaves a writable file to be written in place, shorter contents cutting
// the old end off. (A read-only file: the per-user test.)
TEST(ProfileFilePermissions, WritableFileInAReadOnlyFolderIsSavedInPlace)
{
    const std::string problem = testenv::Unprivileged([]() -> std::string {
        const testenv::TestEnv env;
        const QString path = env.WriteFile("rw.ini", "; a comment that is not written back\n[S]\nk=1\n");
        CProfileFile store;
        store.LoadPath(path, false);
        store.SetString("S", "k", "2");
        QFile::setPermissions(env.Path(""), QFile::ReadOwner | QFile::ExeOwner);
        const bool saved = store.Save();
        QFile::setPermissions(env.Path(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray now = testenv::TestEnv::ReadFile(path);
        return saved && now == "[S]\r\nk=2\r\n" ? "" : "not saved in place: " + now.toStdString();
    });
    EXPECT_EQ(problem, "");
}

TEST_F(ProfileFile, DecodesUtf8ElseGb18030)
{
    EXPECT_EQ(CProfileFile::Decode("About"), QStringLiteral("About"));
    EXPECT_EQ(CProfileFile::Decode("\xE7\xA7\x91\xE5\xB0\x94"), QString::fromUtf8("科尔"));
    EXPECT_EQ(CProfileFile::Decode("\xBF\xC6\xB6\xFB"), QString::fromUtf8("科尔"));
}

} // namespace
