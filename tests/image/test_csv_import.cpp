// CSV text and the channel table applied from it as the grid would take
// it: quoting, names the image already holds, a radio type without a band,
// the messages' detail, the counts of an import's summary, and rows pasted
// as spreadsheet text or as whole records.
#include "image/ChannelChanges.h"
#include "image/ChannelRow.h"
#include "image/Codecs.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

const QString kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";

// Record n holds 145.0125 MHz and the name of the given name codes.
void PutChannel(MemoryImage &image, int n, std::initializer_list<uint8_t> name)
{
    const uint8_t rec[16] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0, 0, 0};
    std::copy(rec, rec + 16, image.record(n));
    std::fill(image.nameSlot(n), image.nameSlot(n) + kNameSlotSize, 0xFF);
    std::copy(name.begin(), name.end(), image.nameSlot(n));
}

} // namespace

TEST(Csv, QuotingBomBlankLinesAndMissingFinalNewline)
{
    const QStringList fields{"plain", "a,b", "say \"hi\"", "two\nlines", ""};
    QList<CsvRecord> recs;
    QString err;
    ASSERT_TRUE(ParseCsv(QString(QChar(0xFEFF)) + CsvLine(fields) + "\r\n\n" + CsvLine({"x"}), recs, err))
        << err.toStdString();
    ASSERT_EQ(recs.size(), 2);
    EXPECT_EQ(recs[0].fields, fields);
    EXPECT_EQ(recs[1].fields, QStringList{"x"});
    EXPECT_EQ(recs[1].line, 4); // the quoted line break and the blank line count
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("plain"), "plain");
    for (const char *bad : {"a,\"b\n", "a,b\"c\n", "x\n\"a\"b,c\n"}) {
        EXPECT_FALSE(ParseCsv(QString::fromLatin1(bad), recs, err)) << bad;
        EXPECT_TRUE(err.startsWith("line ")) << bad;
    }
}

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
    EXPECT_EQ(ImportCsvText(ChannelTableCsv(table, false), image, env.app), QStringList());
    EXPECT_EQ(image, before);
    EXPECT_EQ(ImportCsvText(kHeader + "4,145.0125,,,,,,,abcdefgh\n5,145.0125,,,,,,,ABCDEF\n", image, env.app), QStringList());
    EXPECT_EQ(DecodeName(image.nameSlot(4)), "ABCDEFGH");
    EXPECT_EQ(DecodeName(image.nameSlot(5)), "ABCDEF");
    const QStringList problems = ImportCsvText(kHeader + "4,145.0125,,,,,,,ABCDEFGX\n", image, env.app);
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
        const QStringList problems = ImportCsvText(kHeader + QString::fromUtf8(c.row) + "\n", image, c.env->app);
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

namespace {

const BandLimits kBand{13000000, 16000000};

class Paste : public ::testing::Test {
protected:
    TestEnv env;
    ChannelTable table;

    QStringList Row(int gridRow) const
    {
        QStringList out;
        for (int c = ColRx; c <= ColName; ++c)
            out << table.cell(gridRow, c);
        return out;
    }
    QStringList PasteText(const QString &text, int start, int &written)
    {
        return PasteIntoTable(text, start, table, kBand, env.app, written);
    }
};

TEST_F(Paste, SpreadsheetTextGoesInOrderFromTheStartRowInEitherForm)
{
    const struct { const char *name; QString text; } cases[] = {
        {"tabs, labels, header", "CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT Enc\tPower\tCha Lock\tScan Add\tCha Name\n"
                                 "7\t145.0125\t\t88.5\tD023N\tLow\tUnlock\tNo\tab\n"
                                 "Pr\t146\t146.5\t\t\t\t\t\t\n"},
        {"tabs, no labels, no header", "145.0125\t\t88.5\tD023N\tLow\tUnlock\tNo\tab\n146\t146.5\t\t\t\t\t\t\n"},
        {"commas, Chinese header without CH",
         QString::fromUtf8("接收频率,发射频率,QT/DQT解码,QT/DQT编码,功率,信道锁定,扫描添加,信道名字\n"
                           "145.0125,,88.5,D023N,低,未锁定,无,AB\n146,146.5,,,,,,\n")},
        {"common layout", "Frequency,Duplex,Tone,cToneFreq,rToneFreq,DtcsCode,CrossMode,Power,Comment,Skip,Name\n"
                          "145.0125,off,Cross,88.5,,023,DTCS->Tone,Low,Unlock,S,ab\n146,+,,,,,,,,,\n146,+,,,,,,,,,\n"},
    };
    for (const auto &c : cases) {
        table = ChannelTable();
        int written = 0;
        const int start = c.name == QLatin1String("common layout") ? 199 : 10;
        const QStringList problems = PasteText(c.text, start, written);
        ASSERT_TRUE(problems.isEmpty()) << c.name << ": " << problems.join('\n').toStdString();
        EXPECT_EQ(Row(start), (QStringList{"145.01250", "", "88.5", "D023N", "Low", "Unlock", "No", "AB"})) << c.name;
        EXPECT_EQ(Row(start + 1)[1], start == 199 ? "146.00000" : "146.50000") << c.name;
        EXPECT_EQ(written, 2) << c.name << ": the common rows stop at row 200";
        EXPECT_EQ(Row(start - 1), QStringList(8)) << c.name;
    }
}

TEST_F(Paste, ABadCellRefusesTheWholePasteNamingTheRowsItWouldGoTo)
{
    int written = 0;
    ASSERT_TRUE(PasteText("145\t\t\t\t\t\t\tOLD\n", 3, written).isEmpty());
    const QStringList old = Row(3);
    const QStringList problems = PasteText("146\t\t\t\t\t\t\tOK\n170\t\t\t\t\t\t\t\n146\t\tTONE\t\t\t\t\t\n", 2, written);
    EXPECT_EQ(problems, (QStringList{"row 2, column Rx Frequency: Out of range,please input again. Band: 130.00000 – 160.00000 MHz",
                                     "row 3, column QT/DQT Dec: \"TONE\" is not an entry of the list"}));
    EXPECT_EQ(written, 0);
    EXPECT_EQ(Row(3), old);
    EXPECT_TRUE(table.isEmptyChannel(2));
    EXPECT_TRUE(table.isEmptyChannel(4));
    EXPECT_FALSE(PasteText("a,\"b\n", 1, written).isEmpty()) << "malformed text";
}

TEST_F(Paste, RecordBytesTravelWhole)
{
    ChannelRow row;
    const uint8_t record[16] = {0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                                0x23, 0xC0, 0x85, 0x08, 0xD3, 0x01, 0x02, 0x03}; // unused bits and bytes set
    const uint8_t name[8] = {0x0A, 0x0B, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55};      // hidden after the end mark
    std::copy(record, record + 16, row.record.begin());
    std::copy(name, name + 8, row.name.begin());
    QList<ChannelRow> rows;
    ASSERT_TRUE(UnpackChannelBytes(PackChannelBytes({row, row}), rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].record, row.record);
    EXPECT_EQ(rows[1].name, row.name);
    for (const QByteArray &bad : {QByteArray("CVCH\x01\x01", 6), QByteArray("XVCH\x01\x00", 6),
                                  PackChannelBytes({row}).chopped(1), QByteArray("CVCH\x01\xC9", 6)}) {
        QList<ChannelRow> none;
        EXPECT_FALSE(UnpackChannelBytes(bad, none));
    }

    MemoryImage image = MemoryImage::newImage();
    int written = 0;
    ASSERT_TRUE(PasteChannelBytes(rows, 200, table, image, kBand, env.app, written).isEmpty());
    EXPECT_EQ(written, 1);
    EXPECT_TRUE(std::equal(record, record + 16, image.record(199)));
    EXPECT_TRUE(std::equal(name, name + 8, image.nameSlot(199)));
    EXPECT_EQ(Row(200), (QStringList{"145.01250", "", "D023I", "88.5", "Middle", "Unlock", "No", "AB"}));
    // What a save would write: the record's unused bits and bytes kept, the
    // name slot as the encoder writes it.
    const ChannelRow encoded = EncodedRow(table, image, 200);
    EXPECT_EQ(encoded.record, row.record);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(encoded.name.data()), 8), QByteArray("\x0A\x0B\xFF\xFF\xFF\xFF\xFF\xFF", 8));

    const MemoryImage before = image;
    const QStringList problems = PasteChannelBytes(rows, 5, table, image, {40000000, 47000000}, env.app, written);
    EXPECT_EQ(problems, (QStringList{"row 4, column Rx Frequency: Out of range,please input again.",
                                     "row 5, column Rx Frequency: Out of range,please input again."}));
    EXPECT_EQ(image, before);
    EXPECT_TRUE(table.isEmptyChannel(5));
}

} // namespace
