// What the program reports after transfers: a fleet's result words and
// summary, and what a verify says for each kind of difference.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "app/LanguageBundle.h"
#include "link/FleetReport.h"
#include "link/VerifyReport.h"

#include <functional>

using namespace corvane;
using namespace corvane::test;

namespace {

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
             {"Memory 0x1300\u20130x1302 differs", "Memory 0x1FC2 differs"},
             {"存储区 0x1300\u20130x1302 不一致", "存储区 0x1FC2 不一致"}}),
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
