// corvane-cli as a user runs it: new / show / options / import / print,
// the exit status and message of every kind of failure, --help, help
// COMMAND and the manual page written from the same texts at build time.
// The rules behind the commands are tested in the core; here each
// command's wiring, once.
#include "cli/Usage.h"
#include "image/DataFile.h"
#include "image/OptionChoices.h"
#include "print/PdfTools.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

// Given a TestEnv, the run reads that world's settings file and keeps its
// per-user files there; QT_QPA_PLATFORM is left out, as the program
// chooses its platform itself.
CliRun RunCli(QStringList args, const testenv::TestEnv *env = nullptr, const QString &language = {})
{
    QProcess p;
    if (env) {
        args << "--settings" << env->Path("Program.ini");
        if (!language.isEmpty())
            args << "--language" << language;
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("XDG_CONFIG_HOME", env->Path("config"));
        pe.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(pe);
    }
    p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The header of the table layout, which `show` prints and `import` reads.
const QString kTableHeader =
    "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";

class CliTest : public ::testing::Test {
protected:
    TestEnv env;

    CliRun Cli(const QStringList &args, const QString &language = {}) { return RunCli(args, &env, language); }
    QString NewImage(const QString &name)
    {
        const QString path = env.Path(name);
        EXPECT_EQ(Cli({"new", path}).code, 0);
        return path;
    }
    QString Csv(const QString &body, const QString &name = "in.csv")
    {
        return env.WriteFile(name, (kTableHeader + body).toUtf8());
    }
};

} // namespace

// new writes the defaults with the band edges of the stored type and band,
// and replaces a file only when forced; show prints the header and all 200
// rows and writes nothing.
TEST_F(CliTest, NewThenShow)
{
    const QString path = NewImage("new.dat");
    MemoryImage expected = MemoryImage::newImage();
    expected.setBandLimits(130, 160); // Field1 piece 0: "130-160MHz"
    const CliRun r = Cli({"show", path});
    const QStringList lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 202) << r.err.toStdString(); // header, 200 rows, final empty piece
    EXPECT_EQ(QStringList({lines[0] + "\n", lines[1], lines[2], lines[200]}),
              QStringList({kTableHeader, "Pr,,,,,,,,", "1,,,,,,,,", "199,,,,,,,,"}));
    EXPECT_EQ(TestEnv::ReadFile(path), QByteArray(reinterpret_cast<const char *>(expected.data()), kImageSize));
    EXPECT_FALSE(QFile::exists(env.Path("config/Corvane/user.ini")));

    const QString kept = env.WriteFile("kept.dat", "precious");
    const CliRun refused = Cli({"new", kept});
    EXPECT_EQ(std::make_tuple(refused.code, refused.err),
              std::make_tuple(3, "corvane-cli: " + kept + " already exists; give --force to replace it\n"));
    EXPECT_EQ(TestEnv::ReadFile(kept), "precious");
    EXPECT_EQ(Cli({"new", kept, "--force"}).code, 0);
    EXPECT_EQ(TestEnv::ReadFile(kept).size(), kImageSize);
}

// options prints every option as the dialog of the language shows it;
// --set applies the named controls only, as the dialog's core does, and of
// two settings of one control the last.
TEST_F(CliTest, OptionsShowAndSet)
{
    const QString path = NewImage("opt.dat");
    const CliRun en = Cli({"options", path});
    ASSERT_EQ(en.code, 0) << en.err.toStdString();
    EXPECT_EQ(en.out.count('\n'), int(OptionFields().size()));
    EXPECT_TRUE(en.out.startsWith("Beep: On\nSquelch Level: 1\n") && en.out.endsWith("\nCall Key Define: Off\n"))
        << en.out.toStdString();
    EXPECT_TRUE(Cli({"options", path}, "Chinese").out.startsWith(QString::fromUtf8("提示音: 开\n静噪电平: 1\n")));

    MemoryImage expected;
    ASSERT_TRUE(LoadImageFile(path, expected).ok());
    std::vector<OptionChoice> choices;
    // A new image's Call Key Define (0xFF) would become 0 if every control were written.
    for (const char *applied : {"busy=On", "time-out timer=3", "Step=25k"})
        ASSERT_TRUE(ParseOptionSetting(applied, false, choices.emplace_back()).ok());
    ASSERT_TRUE(ApplyOptionChoices(choices, expected));
    const CliRun set = Cli({"options", path, "--set", "busy=On", "--set", "Step=5k", "--set", "time-out timer=3",
                            "--set", "Step=25k"});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    MemoryImage img;
    ASSERT_TRUE(LoadImageFile(path, img).ok());
    EXPECT_EQ(img, expected);
}

// import applies the rows as typed (labels quoted or not, decimal commas,
// list texts of either language, an empty Tx) and says what changed unless
// told to be quiet; show reads the rows back, in either layout.
TEST_F(CliTest, ImportAppliesRowsAndShowPrintsThemInEitherLayout)
{
    const QString img = NewImage("imp.dat");
    const CliRun quiet = Cli({"import", img,
                              Csv("5,145.0125,,,,,,,abc\n"
                                  "Pr,146.00625,146.5,D023N,88.5,Low,Unlock,No,CALL-1\n"
                                  "\"7\",130,,\xe6\x97\xa0,,\xe4\xb8\xad,,,\n"
                                  "9,\"146,5125\",\"146,0125\",,,,,,\n"),
                              "--quiet"});
    ASSERT_EQ(quiet.code, 0) << quiet.err.toStdString();
    EXPECT_EQ(quiet.out, "");
    const QStringList lines = Cli({"show", img}).out.split('\n');
    EXPECT_EQ(lines[1], "Pr,146.00625,146.50000,D023N,88.5,Low,Unlock,No,CALL-1");
    // Empty list cells keep the new-channel defaults.
    EXPECT_EQ(lines[6], "5,145.01250,,None,None,High,Lock,Yes,ABC");
    EXPECT_EQ(lines[8], "7,130.00000,,None,None,Middle,Lock,Yes,");
    EXPECT_EQ(lines[10], "9,146.51250,146.01250,None,None,High,Lock,Yes,");

    // A name alone (row 9) is a change too.
    const QString changes = Csv("Pr,,,,,,,,\n5,146,,,,,,,ABC\n7,131,,,,,,,\n9,146.5125,146.0125,,,,,,N\n1,145,,,,,,,\n"
                                "2,145,,,,,,,\n3,145,,,,,,,\n", "changes.csv");
    const CliRun summary = Cli({"import", img, changes});
    EXPECT_EQ(summary.out, "imported " + changes + ": 3 added, 3 changed, 1 erased\n") << summary.err.toStdString();

    // show --format common prints the common layout (its columns and the
    // import back: the core's export test and the csv_import fuzz target).
    EXPECT_TRUE(Cli({"show", img, "--format", "common"}).out.startsWith("Location,Name,Frequency,"));
}

// Usage errors exit 2, refused settings or rows 1, files that cannot be
// read or written 3 with the system's reason; none changes the image.
TEST_F(CliTest, FailuresExitWithTheirStatusAndLeaveTheImage)
{
    const QString image = NewImage("image.dat"), missing = env.Path("missing.dat");
    const QString shortFile = env.WriteFile("short.dat", QByteArray(100, 0)), pdf = env.Path("x.pdf");
    const QString header = kTableHeader;
    const struct { QStringList args; int code; QString err; } cases[] = {
        {{"show"}, 2, "usage: corvane-cli show IMAGE.dat"},
        {{"show", image, "--bogus"}, 2, "unknown option --bogus"},
        {{"show", image, "--format", "xml"}, 2, "--format takes table or common"},
        {{"show", image, "--language", "Klingon"}, 2, ""},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"options", image, "--set"}, 2, "--set needs a value"},
        {{"print", image}, 2, "usage: corvane-cli print"},
        {{"options", image, "--set", "Step=25k", "--set", "Volume=3", "--set", "LED=Bright"}, 1,
         "\noption LED: \"Bright\" is not an item of this list; the items are Off, Auto, On\n"},
        {{"import", image, Csv("1,145.001,,,,,,,\n2,170,,,,,,,\n3,145,,D999N,,Max,,,TOOLONGNAME\n")}, 1,
         "row 3, column Power: \"Max\" is not an entry of the list\nrow 3, column Cha Name:"},
        {{"import", image, env.WriteFile("none.csv", "5,145,,,,,,,\n")}, 1, "line 1: the header must be"},
        {{"import", image, Csv("5,145\n", "cols.csv")}, 1, "line 2: 2 columns, 9 expected"},
        {{"import", image, Csv("200,145,,,,,,,\n", "label.csv")}, 1, "unknown channel label \"200\""},
        {{"import", image, Csv("5,145,,,,,,,\n5,146,,,,,,,\n", "twice.csv")}, 1, "row 5 already given on line 2"},
        {{"import", image, env.WriteFile("latin1.csv", "CH,Rx Frequency\xff\n")}, 1, "latin1.csv: not UTF-8 text"},
        {{"import", image, env.WriteFile("empty.csv", "")}, 1, "line 1: the header must be"},
        {{"show", shortFile}, 3, "not a memory image: " + shortFile + " has 100 bytes, 8192 expected"},
        {{"show", missing}, 3, "cannot read " + missing + ": No such file or directory"},
        {{"new", env.Path("no/such/x.dat")}, 3, "cannot write " + env.Path("no/such/x.dat") + ": No such file or directory"},
        {{"print", missing, "--pdf", pdf}, 3, "cannot read " + missing + ": No such file or directory"},
        {{"print", image, "--pdf", env.Path("nowhere/x.pdf")}, 3, env.Path("nowhere/x.pdf")},
    };
    const QByteArray before = TestEnv::ReadFile(image);
    for (const auto &c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(' ').toStdString();
        if (c.code == 3 && !c.args.startsWith("print")) {
            EXPECT_EQ(r.err, "corvane-cli: " + c.err + "\n");
        } else {
            EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        }
        EXPECT_EQ(TestEnv::ReadFile(image), before) << c.args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));

    env.WriteFile("Program.ini", "[Setup]\r\nLanguage=Klingon\r\n");
    const CliRun noBundle = Cli({"show", image});
    EXPECT_EQ(noBundle.code, 3);
    EXPECT_EQ(noBundle.err, "corvane-cli: Load language DLL fail\nLooked for: " CORVANE_BIN_DIR "/Klingon.rcc\n");
}

// print writes the listing of an image as a PDF, atomically (its failures:
// above; the listing itself: the print tests).
TEST_F(CliTest, PrintWritesTheListing)
{
    const QString image = NewImage("radio.dat"), pdf = env.Path("out.pdf");
    ASSERT_EQ(Cli({"import", image, Csv("199,136.00000,,None,None,High,Lock,Yes,N200\n")}).code, 0);
    const CliRun r = Cli({"print", image, "--pdf", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pdftools::FirstOutOfOrder(pdftools::Text(pdf), {"Time Out Timer:", "1", "Beep:", "On", "Test Owner",
                                                              "Page 1 of 2", "Channel 199:", "Receive Frequency:",
                                                              "136.00000", "Channel Name:", "N200", "Page 2 of 2"}),
              "");
    EXPECT_EQ(QDir(env.Path("")).entryList({"out*"}), QStringList{"out.pdf"}); // no temporary file left
}

// The overview names every command and the manual page has a section for
// each, with only known macros (so no text of the table can break the
// page); the program prints the texts for --help, help COMMAND and bare.
TEST(CliHelp, HelpTextsAndManualPage)
{
    const QString overview = QString::fromStdString(OverviewText());
    QFile page(QStringLiteral(CORVANE_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(man.contains("\\-\\-retries N")) << "hyphens of options are escaped";
    std::size_t count = 0;
    const CommandUsage *commands = Commands(count);
    for (const CommandUsage &c : std::vector<CommandUsage>(commands, commands + count)) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\\n  %1 +%2\\n").arg(c.name, QRegularExpression::escape(c.summary)))
                        .match(overview).hasMatch()) << c.name;
        EXPECT_TRUE(man.contains(QStringLiteral("\n.SS %1\n").arg(c.name))) << c.name;
    }
    const QStringList macros = {".TH", ".SH", ".SS", ".B", ".I", ".RB", ".PP", ".TP", ".br"};
    for (const QString &line : man.split('\n')) {
        if (line.startsWith('.') || line.startsWith('\'')) {
            EXPECT_TRUE(macros.contains(line.section(' ', 0, 0))) << line.toStdString();
        }
    }

    const CliRun help = RunCli({"--help"}), bare = RunCli({}), read = RunCli({"help", "read"});
    EXPECT_EQ(std::make_tuple(help.code, help.out), std::make_tuple(0, overview));
    EXPECT_EQ(std::make_tuple(bare.code, bare.out, bare.err), std::make_tuple(2, QString(), overview));
    EXPECT_EQ(read.out, QString::fromStdString(CommandHelpText(*FindCommand("read"))));
    EXPECT_EQ(RunCli({"read", "--help"}).out, read.out);
    const CliRun unknown = RunCli({"help", "frobnicate"}), version = RunCli({"--version"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains("unknown command 'frobnicate'"));
    EXPECT_EQ(std::make_tuple(version.code, version.out), std::make_tuple(0, QString("corvane-cli 1.0\n")));
}
