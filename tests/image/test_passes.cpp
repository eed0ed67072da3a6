#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "settings/UserStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

// Record n with the given fields in the coding the encoders produce.
void PutChannel(MemoryImage &img, int n, std::array<uint8_t, 16> rec, std::array<uint8_t, 8> name)
{
    std::copy(rec.begin(), rec.end(), img.record(n));
    std::copy(name.begin(), name.end(), img.nameSlot(n));
}

constexpr std::array<uint8_t, 16> k446{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44,
                                       0x23, 0x80, 0x85, 0x08, 0xEF, 0x11, 0x22, 0x33};
constexpr std::array<uint8_t, 8> kName{0x0A, 0x0B, 0x0C, 0x24, 0x01, 0x26, 0xFF, 0xFF};

} // namespace

class PassesTest : public ::testing::Test {
protected:
    TestEnv env;
    ChannelTable table;
};

TEST_F(PassesTest, RefreshDecodesRowsAndEmptiesEmptyChannels)
{
    MemoryImage img = MemoryImage::newImage();
    PutChannel(img, 0, k446, kName);
    auto empty = k446;
    empty[3] = 0x00;
    PutChannel(img, 5, empty, kName);
    auto noTx = k446;
    noTx[7] = 0xFF;
    PutChannel(img, 199, noTx, kName);
    table.cell(6, ColName) = "STALE";
    env.app.newDocument = false;
    RefreshFromImage(img, table, env.app);

    const QStringList row1{"446.00625", "446.00625", "D023N", "88.5", "High", "Lock", "Yes", "ABC-1_"};
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(table.cell(1, c), row1[c - 1]) << c;
    for (int c = 1; c <= 8; ++c)
        EXPECT_TRUE(table.cell(6, c).isEmpty()) << c;
    EXPECT_EQ(table.cell(200, ColRx), "446.00625");
    EXPECT_TRUE(table.cell(200, ColTx).isEmpty());
}

// A new document takes the stored type and band when the settings list
// them, else type 0, band 0; without a band list everything is 0.
TEST_F(PassesTest, NewDocumentTakesAListedStoredPairElseZeros)
{
    const struct { int type, field, wantType, wantBand, low, high; const char *band; } cases[] = {
        {2, 1, 2, 1, 13000000, 16000000, "130 - 160MHz"}, // Field3, piece 1
        {36, 218, 0, 0, 13000000, 16000000, "130-160MHz"},
        {0, 2, 0, 0, 13000000, 16000000, "130-160MHz"},
        {1, 1, 0, 0, 13000000, 16000000, "130-160MHz"},
    };
    for (const auto &c : cases) {
        UserStore("CorvaneTest").WriteNumber("Type", static_cast<uint32_t>(c.type));
        UserStore("CorvaneTest").WriteNumber("Field", static_cast<uint32_t>(c.field));
        MemoryImage img = MemoryImage::newImage();
        env.app.newDocument = true;
        const RefreshOutcome r = RefreshFromImage(img, table, env.app);
        EXPECT_EQ(img[Off::radioType], c.wantType) << c.type;
        EXPECT_EQ(img[Off::bandIndex], c.wantBand) << c.type;
        EXPECT_EQ(r.bandText, c.band) << c.type;
        EXPECT_EQ(std::make_pair(r.bandLow, r.bandHigh), std::make_pair(c.low, c.high)) << c.type;
        EXPECT_FALSE(r.unknownBand);
        EXPECT_EQ(r.caption, "Test Programmer");
        if (c.type == 2) { // the blank stops "%d-%dMHz" after L
            EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(img.data()) + 0x1FF0, 3), QByteArray("\x13\x00\xFF", 3));
        }
    }
    TestEnv bare("[Setup]\r\nLanguage=English\r\n");
    MemoryImage img = MemoryImage::newImage();
    img[Off::radioType] = 7;
    bare.app.newDocument = true;
    const RefreshOutcome r = RefreshFromImage(img, table, bare.app);
    EXPECT_EQ(std::make_tuple(int(img[Off::radioType]), r.bandLow, r.bandHigh, int(img[0x1FF2])),
              std::make_tuple(0, 0, 0, 0xFF));
    EXPECT_TRUE(r.caption.isEmpty());
}

TEST_F(PassesTest, OpenedImageStoresAKnownTypeAndBand)
{
    MemoryImage img = MemoryImage::newImage();
    img[Off::radioType] = 0;
    img[Off::bandIndex] = 1;
    env.app.newDocument = false;
    const RefreshOutcome r = RefreshFromImage(img, table, env.app);
    uint32_t type = 99, field = 99;
    ASSERT_TRUE(UserStore("CorvaneTest").ReadNumber("Type", type));
    ASSERT_TRUE(UserStore("CorvaneTest").ReadNumber("Field", field));
    EXPECT_EQ(type, 0u);
    EXPECT_EQ(field, 1u);
    EXPECT_FALSE(r.unknownBand);
    EXPECT_EQ(r.bandText, "400-470MHz");
    EXPECT_EQ(img[0x1FF0], 0x40);
    EXPECT_EQ(img[0x1FF1], 0x46);
    EXPECT_EQ(img[0x1FF2], 0x09);
    EXPECT_EQ(r.bandLow, 40000000);
    EXPECT_EQ(r.bandHigh, 47000000);
}

// A type or band the settings do not list is never stored, the image keeps
// every byte, and a new document afterwards still gets a usable band.
TEST_F(PassesTest, UnknownTypeOrBandIsNeitherStoredNorWrittenIntoTheImage)
{
    const struct { uint8_t type, band; int low; } cases[] = {
        {36, 218, 0},        // no list "Field37": nothing to check against
        {0, 3, 40000000},    // past the end of Field1: its last band checks
        {1, 1, 13600000},    // Field2 has one band only
    };
    for (const auto &c : cases) {
        UserStore("CorvaneTest").WriteNumber("Type", 2);
        UserStore("CorvaneTest").WriteNumber("Field", 1);
        MemoryImage img = MemoryImage::newImage();
        img[Off::radioType] = c.type;
        img[Off::bandIndex] = c.band;
        const MemoryImage opened = img;
        env.app.newDocument = false;
        const RefreshOutcome r = RefreshFromImage(img, table, env.app);
        EXPECT_TRUE(r.unknownBand) << int(c.type);
        EXPECT_EQ(img, opened) << int(c.type);
        EXPECT_EQ(r.bandLow, c.low) << int(c.type);
        uint32_t type = 0, field = 0;
        UserStore("CorvaneTest").ReadNumber("Type", type);
        UserStore("CorvaneTest").ReadNumber("Field", field);
        EXPECT_EQ(type, 2u) << int(c.type);
        EXPECT_EQ(field, 1u) << int(c.type);
    }
}

TEST(BandText, SelectionAndLimits)
{
    EXPECT_EQ(SelectBandText("a|b|c", 0), "a");
    EXPECT_EQ(SelectBandText("a|b|c", 2), "c");
    EXPECT_EQ(SelectBandText("a|b|c", 9), "c");
    EXPECT_EQ(SelectBandText("single", 4), "single");
    EXPECT_EQ(SelectBandText("", 0), "");
    int low, high;
    ViewBandLimits("136", low, high);
    EXPECT_EQ(low, 13600000);
    EXPECT_EQ(high, 13600000);
    ViewBandLimits("99999-999999MHz", low, high); // saturates instead of overflowing
    EXPECT_EQ(low, INT_MAX);
    ScanBandEdges("  400-  470MHz", low, high);
    EXPECT_EQ(low, 400);
    EXPECT_EQ(high, 470);
    ScanBandEdges("x400-470MHz", low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 0);
}

// An edit of any row reaches its own record, the last row's included: an
// emptied row erases the record but keeps its name slot, a changed one is
// encoded.
TEST_F(PassesTest, CommitWritesEachRowIntoItsRecord)
{
    for (int row : {1, 100, 200}) {
        for (bool erase : {true, false}) {
            MemoryImage img = MemoryImage::newImage();
            PutChannel(img, row - 1, k446, kName);
            RefreshFromImage(img, table, env.app);
            if (erase) {
                table.clearRow(row);
            } else {
                table.cell(row, ColRx) = "146.00000";
                table.cell(row, ColName) = "XY";
            }
            CommitToImage(table, img);
            const uint8_t *rec = img.record(row - 1);
            const std::array<uint8_t, 4> rx = erase ? std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}
                                                    : std::array<uint8_t, 4>{0x00, 0x00, 0x60, 0x14};
            EXPECT_TRUE(std::equal(rx.begin(), rx.end(), rec)) << row << (erase ? " erased" : " changed");
            EXPECT_EQ(rec[15], erase ? 0xFF : 0x33) << row;
            const std::array<uint8_t, 8> name = erase ? kName : std::array<uint8_t, 8>{0x21, 0x22, 0xFF, 0xFF,
                                                                                      0xFF, 0xFF, 0xFF, 0xFF};
            EXPECT_TRUE(std::equal(name.begin(), name.end(), img.nameSlot(row - 1))) << row;
        }
    }
}

TEST_F(PassesTest, RefreshThenCommitKeepsEveryByteThePassesDoNotOwn)
{
    MemoryImage img;
    for (int i = 0; i < kImageSize; ++i)
        img[i] = static_cast<uint8_t>(i * 13 + 5);
    // Canonical records the encoders reproduce exactly, with odd bits in
    // byte 12 and bytes 13-15 that must survive.
    for (int n = 0; n < kChannelCount; n += 3)
        PutChannel(img, n, k446, kName);
    auto noTone = k446;
    noTone[9] = noTone[11] = 0xFF;
    noTone[8] = noTone[10] = 0xFF;
    noTone[12] = 0xC3;
    for (int n = 1; n < kChannelCount; n += 3)
        PutChannel(img, n, noTone, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    for (int n = 2; n < kChannelCount; n += 3)
        img.record(n)[3] = 0x00; // empty: becomes 0xFF x 16
    const MemoryImage before = img;
    env.app.newDocument = false;
    RefreshFromImage(img, table, env.app);
    const MemoryImage afterRefresh = img;
    CommitToImage(table, img);
    for (int o = 0; o < kImageSize; ++o) {
        const bool emptyRecord = o < 0x0C80 && (o / 16) % 3 == 2;
        ASSERT_EQ(img[o], emptyRecord ? 0xFF : afterRefresh[o]) << o;
    }
    // Outside the band edges the refresh changed nothing either.
    for (int o = 0x0C80; o < kImageSize; ++o)
        ASSERT_TRUE((o >= 0x1FF0 && o <= 0x1FF2) || afterRefresh[o] == before[o]) << o;
}

TEST_F(PassesTest, NonCanonicalFieldsComeBackNormalised)
{
    MemoryImage img = MemoryImage::newImage();
    auto odd = k446;
    odd[7] = 0x00;       // no transmit frequency
    odd[9] = 0x00;       // no decode tone
    odd[12] = 0xFF;      // power 11
    PutChannel(img, 4, odd, kName);
    RefreshFromImage(img, table, env.app);
    CommitToImage(table, img);
    const uint8_t *r = img.record(4);
    EXPECT_EQ(r[4], 0xFF);
    EXPECT_EQ(r[7], 0xFF);
    EXPECT_EQ(r[8], 0xFF);
    EXPECT_EQ(r[9], 0xFF);
    EXPECT_EQ(r[12], 0xCF); // power 00, other bits kept
    EXPECT_EQ(r[13], 0x11);
}

TEST(PassesChinese, DecodesChineseTexts)
{
    TestEnv env(testenv::DefaultIni("Chinese"));
    MemoryImage img = MemoryImage::newImage();
    auto rec = k446;
    rec[8] = rec[9] = 0xFF;
    rec[12] = 0xC3;
    PutChannel(img, 0, rec, kName);
    ChannelTable table;
    const RefreshOutcome r = RefreshFromImage(img, table, env.app);
    EXPECT_EQ(table.cell(1, ColDecode), QString::fromUtf8("无"));
    EXPECT_EQ(table.cell(1, ColPower), QString::fromUtf8("低"));
    EXPECT_EQ(table.cell(1, ColLock), QString::fromUtf8("未锁定"));
    EXPECT_EQ(table.cell(1, ColScan), QString::fromUtf8("无"));
    EXPECT_EQ(r.caption, QString::fromUtf8("测试程序"));
    // Chinese texts encode back to the same bytes.
    CommitToImage(table, img);
    EXPECT_TRUE(std::equal(rec.begin(), rec.end(), img.record(0)));
}
