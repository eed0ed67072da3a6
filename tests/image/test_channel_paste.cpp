// Rows pasted into a channel table: spreadsheet text through the commit
// rules, and whole records with every byte.
#include "image/ChannelRow.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

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
