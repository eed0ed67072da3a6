// The decode and encode passes between the image and the channel table, and
// the radio type and band they settle with the per-user store.
#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "settings/UserStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

using Record = std::array<uint8_t, 16>;
using Name = std::array<uint8_t, 8>;

// A record and a name in the coding the encoders produce.
constexpr Record k446{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44,
                      0x23, 0x80, 0x85, 0x08, 0xEF, 0x11, 0x22, 0x33};
constexpr Name kName{0x0A, 0x0B, 0x0C, 0x24, 0x01, 0x26, 0xFF, 0xFF};

Record With(Record r, std::initializer_list<std::pair<int, uint8_t>> bytes)
{
    for (const auto &[i, v] : bytes)
        r[std::size_t(i)] = v;
    return r;
}

Record RecordOf(const MemoryImage &img, int n)
{
    Record r;
    std::copy(img.record(n), img.record(n) + 16, r.begin());
    return r;
}

void PutChannel(MemoryImage &img, int n, const Record &rec, const Name &name)
{
    std::copy(rec.begin(), rec.end(), img.record(n));
    std::copy(name.begin(), name.end(), img.nameSlot(n));
}

void Store(uint32_t type, uint32_t field)
{
    UserStore("CorvaneTest").WriteNumber("Type", type);
    UserStore("CorvaneTest").WriteNumber("Field", field);
}

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
    PutChannel(img, 5, With(k446, {{3, 0x00}}), kName);  // no receive frequency: empty
    PutChannel(img, 199, With(k446, {{7, 0xFF}}), kName); // no transmit frequency
    table.cell(6, ColName) = "STALE";
    env.app.newDocument = false;
    RefreshFromImage(img, table, env.app);
    QStringList row1, row6;
    for (int c = ColRx; c <= ColName; ++c)
        row1 << table.cell(1, c), row6 << table.cell(6, c);
    EXPECT_EQ(row1.join('|'), "446.00625|446.00625|D023N|88.5|High|Lock|Yes|ABC-1_");
    EXPECT_EQ(row6.join(""), "");
    EXPECT_EQ(table.cell(200, ColRx) + "|" + table.cell(200, ColTx), "446.00625|");
}

// A new document takes the stored type and band when the settings list
// them, else type 0, band 0; without a band list everything is 0.
TEST_F(PassesTest, NewDocumentTakesAListedStoredPairElseZeros)
{
    const struct { int type, field, wantType, wantBand, low, high; const char *band; } cases[] = {
        {2, 1, 2, 1, 13000000, 16000000, "130 - 160MHz"}, // Field3, piece 1
        {36, 218, 0, 0, 13000000, 16000000, "130-160MHz"},
        {0, 2, 0, 0, 13000000, 16000000, "130-160MHz"},
    };
    for (const auto &c : cases) {
        Store(uint32_t(c.type), uint32_t(c.field));
        MemoryImage img = MemoryImage::newImage();
        env.app.newDocument = true;
        const RefreshOutcome r = RefreshFromImage(img, table, env.app);
        EXPECT_EQ(img[Off::radioType], c.wantType) << c.type;
        EXPECT_EQ(img[Off::bandIndex], c.wantBand) << c.type;
        EXPECT_EQ(r.bandText, c.band) << c.type;
        EXPECT_EQ(std::make_pair(r.bandLow, r.bandHigh), std::make_pair(c.low, c.high)) << c.type;
        EXPECT_FALSE(r.unknownBand);
        EXPECT_EQ(r.caption, "Test Programmer");
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

// An opened image stores a type and band the settings list, and gets their
// band edges; a pair they do not list is never stored, and the image keeps
// every byte.
TEST_F(PassesTest, OpenedImageStoresOnlyAKnownTypeAndBand)
{
    const struct { uint8_t type, band; bool known; int low, high; const char *text; } cases[] = {
        {0, 1, true, 40000000, 47000000, "400-470MHz"},  // Field1, piece 1
        {0, 3, false, 40000000, 47000000, "400-470MHz"}, // past the end of Field1: its last band checks
        {1, 1, false, 13600000, 17400000, "136-174MHz"}, // Field2 has one band only
    };
    for (const auto &c : cases) {
        Store(2, 1);
        MemoryImage img = MemoryImage::newImage();
        img[Off::radioType] = c.type;
        img[Off::bandIndex] = c.band;
        MemoryImage expected = img;
        if (c.known)
            expected.setBandLimits(400, 470);
        env.app.newDocument = false;
        const RefreshOutcome r = RefreshFromImage(img, table, env.app);
        EXPECT_EQ(r.unknownBand, !c.known) << int(c.type);
        EXPECT_EQ(r.bandText, c.text) << int(c.type);
        EXPECT_EQ(img, expected) << int(c.type);
        EXPECT_EQ(std::make_pair(r.bandLow, r.bandHigh), std::make_pair(c.low, c.high)) << int(c.type);
        uint32_t type = 99;
        UserStore("CorvaneTest").ReadNumber("Type", type);
        EXPECT_EQ(type, c.known ? 0u : 2u) << int(c.type); // the band is 1 either way
    }
}

TEST(BandText, SelectionAndLimits)
{
    for (const auto &[index, text] : {std::pair(0, "a"), std::pair(2, "c"), std::pair(9, "c")})
        EXPECT_EQ(SelectBandText("a|b|c", index), text);
    EXPECT_EQ(SelectBandText("single", 4), "single");
    EXPECT_EQ(SelectBandText("", 0), "");
    const struct { const char *text; bool view; int low, high; } limits[] = {
        {"136", true, 13600000, 13600000},
        {"99999-999999MHz", true, INT_MAX, INT_MAX}, // saturates instead of overflowing
        {"  400-  470MHz", false, 400, 470},
        {"x400-470MHz", false, 0, 0},
    };
    for (const auto &l : limits) {
        int low = -1, high = -1;
        (l.view ? ViewBandLimits : ScanBandEdges)(l.text, low, high);
        EXPECT_EQ(std::make_pair(low, high), std::make_pair(l.low, l.high)) << l.text;
    }
}

// An edit of any row reaches its own record, the last row's included.
// (Emptied rows: the image_file fuzz target.)
TEST_F(PassesTest, CommitWritesEachRowIntoItsRecord)
{
    for (int row : {1, 100, 200}) {
        MemoryImage img = MemoryImage::newImage();
        PutChannel(img, row - 1, k446, kName);
        RefreshFromImage(img, table, env.app);
        table.cell(row, ColRx) = "146.00000";
        table.cell(row, ColName) = "XY";
        CommitToImage(table, img);
        EXPECT_EQ(RecordOf(img, row - 1), With(k446, {{0, 0x00}, {1, 0x00}, {2, 0x60}, {3, 0x14}})) << row;
        const Name name{0x21, 0x22, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        EXPECT_TRUE(std::equal(name.begin(), name.end(), img.nameSlot(row - 1))) << row;
    }
}

// Fields the encoders would not write come back in their canonical form:
// no transmit frequency, no decode tone, power bits 11 (other bits kept).
TEST_F(PassesTest, NonCanonicalFieldsComeBackNormalised)
{
    MemoryImage img = MemoryImage::newImage();
    PutChannel(img, 4, With(k446, {{7, 0x00}, {9, 0x00}, {12, 0xFF}}), kName);
    RefreshFromImage(img, table, env.app);
    CommitToImage(table, img);
    EXPECT_EQ(RecordOf(img, 4), With(k446, {{4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {8, 0xFF}, {9, 0xFF}, {12, 0xCF}}));
}
