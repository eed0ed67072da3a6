// corvane-cli new / show / options / import as a user runs them.
#include "image/DataFile.h"
#include "image/MemoryImage.h"
#include "image/OptionTable.h"
#include "support/TestEnv.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

class CliTest : public ::testing::Test {
protected:
    TestEnv env;

    CliRun Cli(QStringList args, const QByteArray &language = QByteArray())
    {
        args << "--settings" << env.Path("Program.ini");
        if (!language.isEmpty())
            args << "--language" << QString::fromLatin1(language);
        QProcess p;
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("XDG_CONFIG_HOME", env.Path("config"));
        p.setProcessEnvironment(pe);
        p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
        p.waitForFinished(30000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QString NewImage(const QString &name)
    {
        const QString path = env.Path(name);
        EXPECT_EQ(Cli({"new", path}).code, 0);
        return path;
    }

    QString Csv(const QString &body)
    {
        return env.WriteFile("in.csv", ("CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n"
                                        + body).toUtf8());
    }
};

} // namespace

TEST_F(CliTest, NewWritesDefaultsWithTypeBandFromTheStoreAndBandEdges)
{
    const QString path = NewImage("new.dat");
    MemoryImage img;
    ASSERT_TRUE(LoadImageFile(path, img).ok());
    MemoryImage expected = MemoryImage::newImage();
    expected.setBandLimits(130, 160); // Field1 piece 0: "130-160MHz"
    EXPECT_EQ(img, expected);
}

TEST_F(CliTest, ShowPrintsHeaderAnd200RowsAndChangesNothing)
{
    const QString path = NewImage("show.dat");
    const QByteArray before = TestEnv::ReadFile(path);
    const CliRun r = Cli({"show", path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 202); // header, 200 rows, final empty piece
    EXPECT_EQ(lines[0], "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name");
    EXPECT_EQ(lines[1], "Pr,,,,,,,,");
    EXPECT_EQ(lines[2], "1,,,,,,,,");
    EXPECT_EQ(lines[200], "199,,,,,,,,");
    EXPECT_EQ(TestEnv::ReadFile(path), before);
    EXPECT_FALSE(QFile::exists(env.Path("config/Corvane/user.ini")));

    const CliRun zh = Cli({"show", path}, "Chinese");
    EXPECT_TRUE(zh.out.startsWith(QString::fromUtf8("信道,接收频率,发射频率,QT/DQT解码,QT/DQT编码,功率,信道锁定,扫描添加,信道名字\n")));
}

TEST_F(CliTest, OptionsOfANewImage)
{
    const CliRun r = Cli({"options", NewImage("opt.dat")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              "Beep: On\nSquelch Level: 1\nTime-Out Timer: 1\nStep: 12.5k\nChannel Display: Off\nBusy: Off\n"
              "Scan Mode: CO\nLED: Auto\nKeypad Lock: Manual\nPriority Scan: Off\nEncoder: On\nMode: Frequency\n"
              "Voice Sensitivity: Off\nCall Tone: 1\nBattery Saver: 0.4\nPri-Scanning Time: 3s\nCall Key Define: Off\n");
}

TEST_F(CliTest, OptionsInChineseAreTheChineseDialogTexts)
{
    const CliRun r = Cli({"options", NewImage("zh.dat")}, "Chinese");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString::fromUtf8("提示音: 开\n静噪电平: 1\n超时定时器: 1\n步长: 12.5k\n信道显示: 关\n繁忙: 关\n"
                                       "扫描模式: CO\nLED: 自动\n键盘锁定: 手动\n优先扫描: 关\n编码器: 开\n模式: 频率\n"
                                       "声控灵敏度: 关\n呼叫铃音: 1\n电池省电: 0.4\n预扫描时间: 3s\n呼叫键定义: 关\n"));
}

// Round k sets every control to its item k (modulo its count) and reads
// them back; no byte outside the option fields changes.
TEST_F(CliTest, OptionsSetRoundTripsEveryItemOfEveryList)
{
    const QString path = NewImage("set.dat");
    // A new image's Call Key Define (0xFF) would become 0 if every control were written.
    const QByteArray fresh = TestEnv::ReadFile(path);
    ASSERT_EQ(Cli({"options", path, "--set", "Busy=On"}).code, 0);
    QByteArray expectedFile = fresh;
    expectedFile[Off::optionFlags1] = char(0x94);
    EXPECT_EQ(TestEnv::ReadFile(path), expectedFile);
    QList<int> fieldBytes;
    for (const OptionField &f : OptionFields())
        fieldBytes << f.offset;
    for (int k = 0; k < 17; ++k) {
        QStringList args{"options", path};
        QString expected;
        for (const OptionField &f : OptionFields()) {
            const QStringList items = f.kind == OptionKind::CheckBit ? QStringList{"Off", "On"} : f.items;
            const QString item = items[k % items.size()];
            args << "--set" << QString::fromLatin1(f.label).toLower() + "=" + item;
            expected += QString::fromLatin1(f.label) + ": " + item + "\n";
        }
        const QByteArray before = TestEnv::ReadFile(path);
        const CliRun set = Cli(args);
        ASSERT_EQ(set.code, 0) << set.err.toStdString();
        EXPECT_EQ(Cli({"options", path}).out, expected) << "round " << k;
        const QByteArray after = TestEnv::ReadFile(path);
        ASSERT_EQ(after.size(), kImageSize);
        for (int i = 0; i < kImageSize; ++i) {
            if (before[i] != after[i]) {
                EXPECT_TRUE(fieldBytes.contains(i)) << "offset " << i;
            }
        }
    }
}

TEST_F(CliTest, OptionsSetRefusesUnknownLabelsAndItemsAndLeavesTheFile)
{
    const QString path = NewImage("refuse.dat");
    const QByteArray before = TestEnv::ReadFile(path);
    const CliRun r = Cli({"options", path, "--set", "Step=25k", "--set", "Volume=3", "--set", "LED=Bright"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("option Volume: no such option; the options are Beep, Squelch Level,")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("option LED: \"Bright\" is not an item of this list; the items are Off, Auto, On"));
    EXPECT_EQ(TestEnv::ReadFile(path), before);
    EXPECT_EQ(Cli({"options", path, "--set"}).code, 2);
    EXPECT_EQ(TestEnv::ReadFile(path), before);
}

TEST_F(CliTest, ImportAppliesRowsAsTypedAndShowReadsThemBack)
{
    const QString img = NewImage("imp.dat");
    const QString csv = Csv("5,145.0125,,,,,,,abc\n"
                            "Pr,146.00625,146.5,D023N,88.5,Low,Unlock,No,CALL-1\n"
                            "\"7\",130,,\xe6\x97\xa0,,\xe4\xb8\xad,,,\n"
                            "9,\"146,5125\",\"146,0125\",,,,,,\n"); // decimal commas, quoted
    const CliRun r = Cli({"import", img, csv});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = Cli({"show", img}).out.split('\n');
    EXPECT_EQ(lines[1], "Pr,146.00625,146.50000,D023N,88.5,Low,Unlock,No,CALL-1");
    // An empty Tx is applied as typed; empty list cells keep the new-channel defaults.
    EXPECT_EQ(lines[6], "5,145.01250,,None,None,High,Lock,Yes,ABC");
    EXPECT_EQ(lines[8], "7,130.00000,,None,None,Middle,Lock,Yes,");
    EXPECT_EQ(lines[10], "9,146.51250,146.01250,None,None,High,Lock,Yes,");
}

// show --format common prints the channels in use in the common layout;
// import tells the layout by the header, so that output goes back in.
TEST_F(CliTest, CommonLayoutOutAndBackIn)
{
    const QString img = NewImage("common.dat");
    ASSERT_EQ(Cli({"import", img, Csv("Pr,146.52,,D023N,88.5,Low,Unlock,No,CALL\n7,145.6,145,,D754I,,,,\n")}).code, 0);
    const CliRun common = Cli({"show", img, "--format", "common"});
    ASSERT_EQ(common.code, 0) << common.err.toStdString();
    const QStringList lines = common.out.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], "0,CALL,146.520000,off,0.000000,Cross,88.5,88.5,023,NN,023,Tone->DTCS,FM,5.00,S,Low,Unlock,,,,");
    EXPECT_EQ(lines[2], "7,,145.600000,-,0.600000,Cross,88.5,88.5,754,RN,023,DTCS->,FM,5.00,,High,Lock,,,,");

    const QString copy = NewImage("copy.dat");
    const CliRun in = Cli({"import", copy, env.WriteFile("common.csv", common.out.toUtf8())});
    ASSERT_EQ(in.code, 0) << in.err.toStdString();
    EXPECT_EQ(Cli({"show", copy}).out, Cli({"show", img}).out);
    EXPECT_EQ(Cli({"show", img, "--format", "xml"}).code, 2);
}

TEST_F(CliTest, RejectedCellsListEveryProblemAndLeaveTheFile)
{
    const QString img = NewImage("rej.dat");
    const QByteArray before = TestEnv::ReadFile(img);
    const QString csv = Csv("1,145.001,,,,,,,\n"
                            "2,170,,,,,,,\n"
                            "3,145,,D999N,,Max,,,TOOLONGNAME\n");
    const CliRun r = Cli({"import", img, csv});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("row 1, column Rx Frequency: Error data Value, please input according the step value(6.25K/5k).")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("row 2, column Rx Frequency: Out of range,please input again."));
    EXPECT_TRUE(r.err.contains("row 3, column QT/DQT Dec:"));
    EXPECT_TRUE(r.err.contains("row 3, column Power:"));
    EXPECT_TRUE(r.err.contains("row 3, column Cha Name:"));
    EXPECT_EQ(TestEnv::ReadFile(img), before);
}

TEST_F(CliTest, MalformedCsvIsRejected)
{
    const QString img = NewImage("bad.dat");
    const QByteArray before = TestEnv::ReadFile(img);
    struct Case { const char *name; QByteArray body; } cases[] = {
        {"no header", "5,145,,,,,,,\n"},
        {"wrong columns", "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n5,145\n"},
        {"unknown label", "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n200,145,,,,,,,\n"},
        {"duplicate label", "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n5,145,,,,,,,\n5,146,,,,,,,\n"},
        {"bad quoting", "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n5,\"145,,,,,,,\n"},
        {"quote in field", "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n5,14\"5,,,,,,,\n"},
        {"not utf-8", "CH,Rx Frequency\xff\n"},
        {"empty", ""},
    };
    for (const Case &c : cases) {
        const CliRun r = Cli({"import", img, env.WriteFile("bad.csv", c.body)});
        EXPECT_EQ(r.code, 1) << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.name;
        EXPECT_EQ(TestEnv::ReadFile(img), before) << c.name;
    }
}

TEST_F(CliTest, FileErrorsAndUsage)
{
    const QString shortFile = env.WriteFile("short.dat", QByteArray(100, 0));
    CliRun r = Cli({"show", shortFile});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(r.err.contains("not a memory image: " + shortFile + " has 100 bytes, 8192 expected")) << r.err.toStdString();
    EXPECT_EQ(Cli({"show", env.Path("missing.dat")}).code, 3);
    EXPECT_EQ(Cli({"options", env.WriteFile("empty.dat", "")}).code, 3);
    EXPECT_EQ(Cli({"import", NewImage("x.dat"), env.Path("missing.csv")}).code, 3);
    EXPECT_EQ(Cli({"new", env.Path("no/such/dir/x.dat")}).code, 3);
    EXPECT_EQ(Cli({"show"}).code, 2);
    EXPECT_EQ(Cli({"show", "a", "b"}).code, 2);
    EXPECT_EQ(Cli({"show", "a", "--bogus"}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_EQ(Cli({"show", "a"}, "Klingon").code, 2);
}
