// The channel table applied from CSV as the grid would take it: names the
// image already holds, a radio type without a band, the messages' detail,
// and the counts of an import's summary.
#include "image/ChannelChanges.h"
#include "image/Codecs.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

const QString kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";

QStringList Import(const QString &csv, MemoryImage &image, const AppState &app)
{
    QList<CsvRecord> records;
    QString error;
    EXPECT_TRUE(ParseCsv(csv, records, error)) << error.toStdString();
    return ImportChannels(records, image, app);
}

// Record n holds 145.0125 MHz and the name of the given name codes.
void PutChannel(MemoryImage &image, int n, std::initializer_list<uint8_t> name)
{
    const uint8_t rec[16] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0, 0, 0};
    std::copy(rec, rec + 16, image.record(n));
    std::fill(image.nameSlot(n), image.nameSlot(n) + kNameSlotSize, 0xFF);
    std::copy(name.begin(), name.end(), image.nameSlot(n));
}

} // namespace

// What `show` prints comes back unchanged, names of 7 and 8 characters
// included; a new name still has at most 6.
TEST(CsvImport, NamesTheImageHoldsComeBackButNewOnesKeepSixCharacters)
{
    TestEnv env;
    MemoryImage image = MemoryImage::newImage();
    PutChannel(image, 4, {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}); // ABCDEFGH
    PutChannel(image, 5, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07});       // 1234567
    ChannelTable table;
    RefreshFromImage(image, table, env.app, false); // also settles the band edges
    const MemoryImage before = image;
    EXPECT_EQ(Import(ChannelTableCsv(table, false), image, env.app), QStringList());
    EXPECT_EQ(image, before);
    EXPECT_EQ(Import(kHeader + "4,145.0125,,,,,,,abcdefgh\n5,145.0125,,,,,,,ABCDEF\n", image, env.app), QStringList());
    EXPECT_EQ(DecodeName(image.nameSlot(4)), "ABCDEFGH");
    EXPECT_EQ(DecodeName(image.nameSlot(5)), "ABCDEF");
    const QStringList problems = Import(kHeader + "4,145.0125,,,,,,,ABCDEFGX\n", image, env.app);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith("row 4, column Cha Name: \"ABCDEFGX\" is not a name of at most 6"));
}

// Each problem is one line: the message, then its detail (the band of the
// radio type, the allowed steps, or that the type has no band at all, when
// every frequency is refused and nothing reaches the image).
TEST(CsvImport, RejectedFrequenciesSayWhatIsAllowed)
{
    TestEnv banded;
    TestEnv bandless("[Setup]\r\nLanguage=English\r\nType1=T-1\r\n");
    const struct { TestEnv *env; const char *row; const char *problem; } cases[] = {
        {&banded, "1,170,,,,,,,", "row 1, column Rx Frequency: Out of range,please input again. "
                                  "Band: 130.00000 – 160.00000 MHz"},
        {&banded, "1,145.001,,,,,,,", "row 1, column Rx Frequency: Error data Value, please input according the "
                                      "step value(6.25K/5k). Allowed channel steps: 2.5, 5 and 6.25 kHz"},
        {&bandless, "Pr,0,,,,,,,", "row Pr, column Rx Frequency: Out of range,please input again. Program.ini gives "
                                   "no frequency band for this radio type, so no frequency can be entered."},
        {&bandless, "Pr,abc,,,,,,,", nullptr},
        {&bandless, "Pr,145.0125,,,,,,,", nullptr},
    };
    for (const auto &c : cases) {
        MemoryImage image = MemoryImage::newImage();
        const QStringList problems = Import(kHeader + QString::fromUtf8(c.row) + "\n", image, c.env->app);
        ASSERT_EQ(problems.size(), 1) << c.row;
        if (c.problem) {
            EXPECT_EQ(problems[0], QString::fromUtf8(c.problem));
        }
        EXPECT_TRUE(problems[0].contains("Out of range") || problems[0].contains("Error data")) << c.row;
        EXPECT_EQ(image, MemoryImage::newImage()) << c.row;
    }
}

TEST(ChannelChanges, CountsAddedChangedAndErasedChannels)
{
    MemoryImage before = MemoryImage::newImage();
    for (int n : {0, 1, 2, 3})
        PutChannel(before, n, {0x0A});
    before.record(9)[3] = 0x00; // empty, with other bytes than 0xFF
    MemoryImage after = before;
    after.record(0)[12] = 0xDC;     // power changed
    after.nameSlot(1)[0] = 0x0B;    // name changed
    std::fill(after.record(2), after.record(2) + kRecordSize, 0xFF); // erased
    PutChannel(after, 7, {});       // added
    PutChannel(after, 8, {});
    std::fill(after.record(9), after.record(9) + kRecordSize, 0xFF); // still empty
    after.nameSlot(9)[0] = 0x01;
    const ChannelChanges c = CompareChannels(before, after);
    EXPECT_EQ(c.added, 2);
    EXPECT_EQ(c.changed, 2);
    EXPECT_EQ(c.erased, 1);
}
