// Port names and devices, a fleet's ports, what a failed port open tells
// the user, and the reports after a fleet run and a verify.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "app/LanguageBundle.h"
#include "link/FleetPorts.h"
#include "link/FleetReport.h"
#include "link/LinkStrings.h"
#include "link/PortDiagnosis.h"
#include "link/PortNames.h"
#include "link/VerifyReport.h"

#include <functional>

using namespace corvane;
using namespace corvane::test;

namespace {

TEST(PortNames, UsbAdaptersComeFirstInNumberOrder)
{
    const QStringList listed{"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyACM0",
                             "/dev/ttyUSB2", "/dev/rfcomm0", "/dev/ttyS10", "/dev/ttyS2"};
    EXPECT_EQ(OrderSerialDevices(listed),
              (QStringList{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0", "/dev/ttyS0", "/dev/ttyS1",
                           "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortResolve, SettingsThenListedDevicesThenNothing)
{
    QTemporaryDir dir;
    CProfileFile settings;
    ASSERT_TRUE(LoadSettings(settings, dir, "[Ports]\r\nCOM2=/dev/ttyUSB7  // note\r\nCOM3=\r\n"));
    const QStringList devices{"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1"};
    const std::vector<std::pair<const char *, const char *>> cases{
        {"COM1", "/dev/ttyUSB0"},  // no key: first device
        {"com2", "/dev/ttyUSB7"},  // key in [Ports], any letter case, comment and blanks cut
        {"COM3", "/dev/ttyS1"},    // empty key counts as absent
        {"com4", ""},              // no fourth device
        {"/dev/pts/5", "/dev/pts/5"},
        {"ttyUSB3", "ttyUSB3"},
        {"com0", "com0"},
        {"COM12", "COM12"}};
    for (const auto &[name, device] : cases)
        EXPECT_EQ(ResolvePortName(QString::fromLatin1(name), &settings, devices), QString::fromLatin1(device)) << name;
    EXPECT_EQ(ResolvePortName("COM2", nullptr, devices), "/dev/ttyS0");
}

TEST(FleetPorts, NamesDevicesAndFileTags)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB7"), link = dir.filePath("by-id-radio");
    ASSERT_TRUE(WriteFile(device, {}) && QFile::link(device, link));
    CProfileFile settings;
    ASSERT_TRUE(LoadSettings(settings, dir, "[Ports]\r\nCOM2=" + device.toLocal8Bit() + "\r\n"));
    const QStringList devices{"/dev/ttyUSB0", "/dev/ttyUSB1"};

    std::vector<FleetTarget> targets;

    const std::vector<std::pair<QStringList, const char *>> clashes{
        {{"/dev/pts/9", "/dev/pts/9"}, "/dev/pts/9 is given twice"},
        {{"COM1", "/dev/ttyUSB0"}, "COM1 and /dev/ttyUSB0 are the same device (/dev/ttyUSB0)"},
        {{"COM2", link}, "COM2 and LINK are the same device (DEVICE)"},
    };
    for (const auto &[names, why] : clashes) {
        const Result r = ResolveFleetTargets(names, &settings, devices, targets);
        EXPECT_EQ(r.status, Status::Usage);
        EXPECT_EQ(r.text, QString::fromLatin1(why).replace("LINK", link).replace("DEVICE", device));
        EXPECT_TRUE(targets.empty());
    }

    for (const auto &[name, tag] : std::vector<std::pair<QString, QString>>{
             {"/dev/ttyUSB0", "ttyUSB0"}, {"/dev/pts/3", "pts-3"}, {"COM2", "COM2"},
             {"/dev/serial/by-id/usb-FTDI-if00", "serial-by-id-usb-FTDI-if00"}, {"/tmp/x", "tmp-x"}})
        EXPECT_EQ(PortFileTag(name), tag);
}

DeviceAccess Access(const char *mode, const char *group, bool groupRw, bool inGroup, bool listed, bool userRw = false)
{
    return {true, userRw, mode, "root", group, groupRw, inGroup, listed, "dealer"};
}

TEST(OpenFailureLines, AdviceFitsTheDevice)
{
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English"));
    const struct {
        const char *name;
        DeviceAccess access;
        int adviceId; // 0: no advice line
    } cases[] = {
        {"group may use it: join it", Access("crw-rw----", "dialout", true, false, false), Ids::JoinGroup},
        {"joined, but the session is older", Access("crw-rw----", "dialout", true, false, true), Ids::LogInAgain},
        {"only the owner", Access("crw-------", "root", false, false, false), Ids::UdevRule},
        {"group root may use it", Access("crw-rw----", "root", true, false, false), Ids::UdevRule},
        {"group may only read", Access("crw-r-----", "dialout", false, false, true), Ids::UdevRule},
        {"in the group and still refused", Access("crw-rw----", "dialout", true, true, true), 0},
        {"held by another program", Access("crw-rw----", "dialout", true, true, true, true), Ids::DeviceBusy},
        {"gone", DeviceAccess{}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList lines = DescribeOpenFailure({"COM1", "/dev/ttyUSB0", "Permission denied", true, c.access}, en);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[0], "Port: COM1 (/dev/ttyUSB0)");
        EXPECT_EQ(lines[1], "Reason: Permission denied");
        ASSERT_EQ(lines.size(), c.adviceId ? 3 : 2) << lines.join('\n').toStdString();
        if (!c.adviceId)
            continue;
        const QString &advice = lines[2];
        EXPECT_TRUE(advice.startsWith(en.String(c.adviceId).section('%', 0, 0))) << advice.toStdString();
        EXPECT_FALSE(advice.contains("-aG root")) << advice.toStdString();
        if (c.adviceId == Ids::JoinGroup) {
            EXPECT_TRUE(advice.contains("sudo usermod -aG dialout dealer")) << advice.toStdString();
        }
        EXPECT_TRUE(c.adviceId != Ids::UdevRule || advice.contains("KERNEL==\"ttyUSB[0-9]*\", GROUP=\"dialout\""));
    }
}

TEST(OpenFailureLines, NoDeviceAndOtherReasons)
{
    {
        LanguageBundle zh; // one bundle is registered at a time
        ASSERT_TRUE(zh.Load(QStringLiteral(CORVANE_BIN_DIR), "Chinese"));
        EXPECT_EQ(DescribeOpenFailure({"com3", "", "", false, {}}, zh),
                  (QStringList{"端口：COM3 (无设备)", zh.String(Ids::NoDeviceForPort).arg("COM3")}));
    }
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English"));
    EXPECT_EQ(DescribeOpenFailure({"/dev/pts/9", "/dev/pts/9", "No such file or directory", false, {}}, en),
              (QStringList{"Port: /dev/pts/9", "Reason: No such file or directory"}));
}

FleetPortResult Port(Status status, const QString &text, int mismatch = 0)
{
    FleetPortResult r;
    r.target = {QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0")};
    r.result = {status, text, {}};
    r.mismatchBytes = mismatch;
    r.elapsedMs = 12849;
    return r;
}

TEST(FleetReport, ResultWordsRowAndFailedSave)
{
    const std::vector<std::pair<FleetPortResult, const char *>> cases{
        {Port(Status::Ok, {}), "ok"},
        {Port(Status::Mismatch, "first difference at 0x1000", 8), "verify mismatch: 8 bytes"},
        {Port(Status::PortError, "/dev/ttyUSB0: busy"), "cannot open the port: /dev/ttyUSB0: busy"},
        {Port(Status::CommError, "no answer"), "communication error: no answer"},
        {Port(Status::Interrupted, "no acknowledgement"), "interrupted: no acknowledgement"},
        {Port(Status::Cancelled, "cancelled after the write block at 0x0100"), "cancelled"},
    };
    for (const auto &[port, english] : cases)
        EXPECT_EQ(FleetReport::ResultText(port, false), QString::fromUtf8(english));
    EXPECT_EQ(FleetReport::ResultText(cases[1].first, true), "校验不符：8 字节");
    EXPECT_EQ(FleetReport::Row(Port(Status::Ok, {}), false), (QStringList{"COM1", "/dev/ttyUSB0", "ok", "12.8"}));
    QTemporaryDir dir; // a save that fails says so (corvane-cli checks the folder before it starts)
    EXPECT_EQ(FleetReport::SaveCsv(dir.filePath("no/such/dir/r.csv"), {}, false).status, Status::FileError);
}

TEST(FleetReport, SummaryAndPartialWriteNote)
{
    const FleetPortResult ok = Port(Status::Ok, {}), busy = Port(Status::PortError, "busy"),
                          cancelled = Port(Status::Cancelled, {}), mismatch = Port(Status::Mismatch, {}, 3);
    const std::vector<std::pair<std::vector<FleetPortResult>, FleetSummary>> cases{
        {{ok, ok}, FleetSummary::AllOk},           {{ok, mismatch}, FleetSummary::Failed},
        {{ok, busy}, FleetSummary::Failed},        {{busy, busy}, FleetSummary::NoneOpened},
        {{busy, cancelled, ok}, FleetSummary::Cancelled},
    };
    for (const auto &[ports, summary] : cases)
        EXPECT_EQ(FleetReport::Summarize(ports), summary);
    EXPECT_EQ(FleetReport::SummaryText({ok, mismatch, ok}, false), "2 of 3 radios ok");

    // Only a radio that got part of the image needs writing again: not one
    // that never answered, nor one cancelled while being read back.
    FleetPortResult cancelledInVerify = cancelled, interrupted = Port(Status::Interrupted, "no acknowledgement");
    cancelledInVerify.phase = FleetPhase::Verifying;
    const std::vector<std::pair<std::vector<FleetPortResult>, bool>> notes{
        {{ok, busy, Port(Status::CommError, "no answer"), cancelledInVerify}, false},
        {{ok, interrupted}, true},
        {{cancelled}, true},
        {{mismatch}, true},
    };
    for (const auto &[ports, note] : notes)
        EXPECT_EQ(FleetReport::PartialWriteNote(ports, false).isEmpty(), !note);
}

MemoryImage Document() { return ChannelImage({{1, "145.01250", ""}, {5, "145.01250", "AB"}}); }

struct Case {
    const char *name;
    std::function<void(MemoryImage &)> radio; // how the radio differs
    QStringList english;
    QStringList chinese;
};

class VerifyLinesTest : public ::testing::TestWithParam<Case> {};

// One bundle is registered at a time.
QStringList Lines(const MemoryImage &doc, const MemoryImage &radio, bool chinese)
{
    LanguageBundle texts;
    EXPECT_TRUE(texts.Load(QStringLiteral(CORVANE_BIN_DIR), chinese ? "Chinese" : "English"));
    return VerifyLines(doc, radio, chinese, texts);
}

TEST_P(VerifyLinesTest, NamesChannelsOptionsAndMemory)
{
    const MemoryImage doc = Document();
    MemoryImage radio = doc;
    GetParam().radio(radio);
    EXPECT_EQ(Lines(doc, radio, false), GetParam().english);
    if (!GetParam().chinese.isEmpty()) {
        EXPECT_EQ(Lines(doc, radio, true), GetParam().chinese);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Differences, VerifyLinesTest,
    ::testing::Values(
        Case{"ReceiveFrequency", [](MemoryImage &m) { m.record(4)[1] = 0x13; },
             {"Channel 4, Rx Frequency: document 145.01250, radio 145.01350"},
             {"信道 4，接收频率：文档 145.01250，电台 145.01350"}},
        Case{"PrNamedInTheRadio", [](MemoryImage &m) { m.nameSlot(0)[0] = 0x0A; },
             {"Channel Pr, Cha Name: document (empty), radio A"}, {}},
        Case{"NameSlot", [](MemoryImage &m) { m.nameSlot(4)[1] = 0x0C; },
             {"Channel 4, Cha Name: document AB, radio AC"}, {}},
        Case{"BitsTheGridDoesNotShow", [](MemoryImage &m) { m.record(4)[13] = 0x00; },
             {"Channel 4: bytes that the grid does not show differ"}, {}},
        Case{"NotSentRecordsAndBandEdges",
             [](MemoryImage &m) {
                 m.record(120)[0] = 0x00;
                 m[Off::bandLimits] = 0x00;
             },
             {}, {}},
        Case{"Option", [](MemoryImage &m) { m.setOption(Off::squelchLevel, 0x05); },
             {"Squelch Level: document 1, radio 5"}, {}},
        Case{"UnnamedMemory",
             [](MemoryImage &m) {
                 for (int a : {0x1300, 0x1301, 0x1302, 0x1FC2})
                     m[a] = 0x00;
             },
             {"Memory 0x1300\u20130x1302 differs", "Memory 0x1FC2 differs"}, {}}),
    [](const ::testing::TestParamInfo<Case> &i) { return std::string(i.param.name); });

TEST(VerifyMessage, MatchOrHeadingAndAtMostTwentyLines)
{
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English"));
    QStringList lines;
    for (int i = 0; i < 23; ++i)
        lines << QString::number(i);
    EXPECT_EQ(VerifyMessage(lines, en), "The radio differs from the document:\n" + lines.mid(0, 20).join('\n') + "\nand 3 more");
    EXPECT_FALSE(VerifyMessage(lines.mid(0, 20), en).contains("more"));
}

} // namespace
