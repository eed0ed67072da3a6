// The common channel-list layout: every mapping of its columns onto the
// grid, the refusals, and export -> import giving the same bytes.
#include "image/CommonCsv.h"
#include "image/Codecs.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <random>

using namespace corvane;
using testenv::TestEnv;

namespace {

const char kHeader[] = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                       "RxDtcsCode,CrossMode,Skip,Power,Comment\n";

class CommonCsv : public ::testing::Test {
protected:
    TestEnv env;
    MemoryImage image = MemoryImage::newImage(); // type 0, band 0: 130-160 MHz

    QStringList Import(const QString &text) { return ImportCsvText(text, image, env.app); }
    QStringList Row(int gridRow)
    {
        ChannelTable table;
        DecodeChannels(image, table, env.app.chinese);
        QStringList out;
        for (int c = ColRx; c <= ColName; ++c)
            out << table.cell(gridRow, c);
        return out;
    }
};

TEST_F(CommonCsv, EveryDuplexToneCrossModePolaritySkipAndPowerMapsOntoTheGrid)
{
    // The grid row: Rx|Tx|Dec|Enc|Power|Lock|Scan|Name.
    const std::pair<const char *, const char *> cases[] = {
        {"0,abcdefgh,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,,High,",
         "145.00000|145.00000|None|None|High|Lock|Yes|ABCDEF"},
        {"1,Rpt 1!,145.600000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,S,Low,Unlock",
         "145.60000|145.00000|None|100.0|Low|Unlock|No|RPT1"},
        {"2,,145.0,+,0.6,,,,,,,,P,mid,", "145.00000|145.60000|None|None|Middle|Lock|Yes|"},
        {"3,,145.0,split,150.0125,,,,,,,,,,", "145.00000|150.01250|None|None|High|Lock|Yes|"},
        {"4,,145.0,off,0,,,,,,,,,,", "145.00000||None|None|High|Lock|Yes|"},
        {"5,,145.0,,,TSQL,88.5,67,,,,,,,", "145.00000|145.00000|67.0|67.0|High|Lock|Yes|"},
        {"6,,145.0,,,DTCS,,,23,NR,,,,,", "145.00000|145.00000|D023I|D023N|High|Lock|Yes|"},
        {"7,,145.0,,,DTCS,,,754,RN,,,,,", "145.00000|145.00000|D754N|D754I|High|Lock|Yes|"},
        {"8,,145.0,,,Cross,100.0,88.5,,,,Tone->Tone,,,", "145.00000|145.00000|88.5|100.0|High|Lock|Yes|"},
        {"9,,145.0,,,Cross,,,114,RN,,DTCS->,,,", "145.00000|145.00000|None|D114I|High|Lock|Yes|"},
        {"10,,145.0,,,Cross,,,,NR,606,->DTCS,,,", "145.00000|145.00000|D606I|None|High|Lock|Yes|"},
        {"11,,145.0,,,Cross,88.5,,,NN,023,Tone->DTCS,,,", "145.00000|145.00000|D023N|88.5|High|Lock|Yes|"},
        {"12,,145.0,,,Cross,,71.9,025,NN,,DTCS->Tone,,,", "145.00000|145.00000|71.9|D025N|High|Lock|Yes|"},
        {"13,,145.0,,,Cross,,254.1,,,,->Tone,,,", "145.00000|145.00000|254.1|None|High|Lock|Yes|"},
        {"14,,145.0,,,Cross,,,023,RR,754,DTCS->DTCS,,,", "145.00000|145.00000|D754I|D023I|High|Lock|Yes|"},
        // Watts: the file's lowest third Low, highest High, the rest Middle.
        {"15,,145.0,,,,,,,,,,,0.5W,", "145.00000|145.00000|None|None|Low|Lock|Yes|"},
        {"16,,145.0,,,,,,,,,,,2.5 W,", "145.00000|145.00000|None|None|Middle|Lock|Yes|"},
        {"17,,145.0,,,,,,,,,,,5.0W,", "145.00000|145.00000|None|None|High|Lock|Yes|"},
    };
    QString text = kHeader;
    for (const auto &c : cases)
        text += QString::fromLatin1(c.first) + "\n";
    const QStringList problems = Import(text);
    ASSERT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(Row(i + 1).join('|'), cases[i].second) << cases[i].first;
}

TEST_F(CommonCsv, ColumnsAreFoundByNameInAnyOrderMissingOnesReadEmpty)
{
    ASSERT_TRUE(Import("Comment,frequency,Notes, LOCATION \nUnlock,146.5,whatever,199\n").isEmpty());
    EXPECT_EQ(Row(200), (QStringList{"146.50000", "146.50000", "None", "None", "High", "Unlock", "Yes", ""}));
}

TEST_F(CommonCsv, ValuesTheRadioCannotHoldAreListedAndNothingChanges)
{
    const struct { const char *row; const char *problem; } cases[] = {
        {"1,,145.0,,,Tone,69.0,,,,,,,,", "Location 1, column rToneFreq: \"69.0\" is not a CTCSS tone of the list"},
        {"1,,145.0,,,DTCS,,,017,NN,,,,,", "Location 1, column DtcsCode: \"017\" is not a DCS code of the list"},
        {"1,,145.0,,,DTCS,,,023,NX,,,,,", "Location 1, column DtcsPolarity: \"NX\" is not a polarity"},
        {"1,,145.0,,,TSQL-R,,,,,,,,,", "Location 1, column Tone: \"TSQL-R\" is not a tone mode"},
        {"1,,145.0,,,Cross,,,,,,Tone=>Tone,,,", "Location 1, column CrossMode: \"Tone=>Tone\" is not a cross mode"},
        {"1,,170,,,,,,,,,,,,", "Location 1, column Frequency: Out of range,please input again."},
        {"1,,145.001,,,,,,,,,,,,", "Location 1, column Frequency: Error data Value, please input according the step"},
        {"1,,145.0,+,20,,,,,,,,,,", "Location 1, column Offset: Out of range,please input again."},
        {"1,,145.0,split,abc,,,,,,,,,,", "Location 1, column Offset: \"abc\" is not a frequency in MHz"},
        {"1,,145.0,dup,,,,,,,,,,,", "Location 1, column Duplex: \"dup\" is not a Duplex value"},
        {"1,,145.0,,,,,,,,,,,9 bananas,", "Location 1, column Power: \"9 bananas\" is not a power"},
        {"1,,145.0,,,,,,,,,,X,,", "Location 1, column Skip: \"X\" is not a Skip value"},
        {"200,,145.0,,,,,,,,,,,,", "line 2: unknown Location \"200\" (0 to 199)"},
        {"1,,145.0,,,,,,,,,,,,\n1,,146.0,,,,,,,,,,,,", "line 3: Location 1 already given on line 2"},
        {"1,,145.0", "line 2: 3 columns, 15 expected"},
    };
    const MemoryImage before = image;
    for (const auto &c : cases) {
        const QStringList problems = Import(QString(kHeader) + c.row + "\n");
        ASSERT_EQ(problems.size(), 1) << c.row << ": " << problems.join('\n').toStdString();
        EXPECT_TRUE(problems[0].startsWith(c.problem)) << problems[0].toStdString();
        EXPECT_EQ(image, before) << c.row;
    }
    EXPECT_EQ(Import(QString(kHeader) + "1,,145.0,,,Cross,,,,RX,017,->DTCS,,,\n"),
              (QStringList{"Location 1, column RxDtcsCode: \"017\" is not a DCS code of the list",
                           "Location 1, column DtcsPolarity: \"RX\" is not a polarity (NN, NR, RN or RR)"}));
    EXPECT_EQ(image, before);
    EXPECT_EQ(Import("Location,Name\n1,A\n"), QStringList{"line 1: the column Frequency is missing"});
    EXPECT_EQ(Import("Frequency\n145\n"), QStringList{"line 1: the column Location is missing"});
}

// A full image of random channels the grid can hold: receive and transmit
// on the raster inside the band, any tone of the list, every power, lock
// and scan setting, names of up to six characters.
MemoryImage RandomFullImage(uint32_t seed, const AppState &app, bool randomHiddenBytes)
{
    std::mt19937 rng(seed);
    const auto pick = [&rng](int n) { return int(rng() % uint32_t(n)); };
    const auto frequency = [&] {
        const int step = pick(2) ? 250 : 625;
        return FrequencyText(13000000 + step * pick((16000000 - 13000000) / step + 1));
    };
    static const QString alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
    ChannelTable table;
    for (int row = 1; row <= kChannelCount; ++row) {
        QString name;
        for (int i = pick(7); i > 0; --i)
            name += alphabet[pick(int(alphabet.size()))];
        const QStringList cells = {frequency(), pick(4) ? frequency() : QString(), ToneList(false)[pick(261)],
                                   ToneList(false)[pick(261)], PowerItems(false)[pick(3)], LockItems(false)[pick(2)],
                                   ScanItems(false)[pick(2)], name};
        for (int c = ColRx; c <= ColName; ++c)
            table.cell(row, c) = cells[c - 1];
    }
    MemoryImage image = MemoryImage::newImage();
    ChannelTable unused;
    RefreshFromImage(image, unused, app, false);
    CommitToImage(table, image);
    for (int n = 0; n < kChannelCount && randomHiddenBytes; ++n) {
        uint8_t *rec = image.record(n);
        rec[12] = uint8_t((rec[12] & 0x3C) | (rng() & 0xC3));
        for (int b = 13; b < 16; ++b)
            rec[b] = uint8_t(rng());
    }
    return image;
}

QByteArray Channels(const MemoryImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), kRecordSize * kChannelCount) +
           QByteArray(reinterpret_cast<const char *>(image.nameSlot(0)), kNameSlotSize * kChannelCount);
}

// Both layouts, the table one in either language: into a new image,
// records whose unused bits are those a new channel gets come back byte for
// byte; into the image itself, the bytes the layout does not carry stay.
TEST_F(CommonCsv, ExportThenImportGivesTheSameRecordsAndNames)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        const MemoryImage full = RandomFullImage(seed, env.app, false), hidden = RandomFullImage(seed, env.app, true);
        ChannelTable table, chinese;
        DecodeChannels(full, table, false);
        DecodeChannels(full, chinese, true);
        const QString common = ChannelTableCommonCsv(table);
        EXPECT_EQ(common.count('\n'), 201);
        EXPECT_EQ(ChannelTableCommonCsv(chinese), common) << "the layout does not depend on the language";
        for (const QString &text : {common, ChannelTableCsv(table, false), ChannelTableCsv(chinese, true)}) {
            image = MemoryImage::newImage();
            const QStringList problems = Import(text);
            ASSERT_TRUE(problems.isEmpty()) << problems.first().toStdString();
            EXPECT_EQ(Channels(image), Channels(full)) << "seed " << seed << text.left(20).toStdString();
            image = hidden;
            ASSERT_TRUE(Import(text).isEmpty());
            EXPECT_EQ(image, hidden) << "seed " << seed << text.left(20).toStdString();
        }
    }
}

TEST_F(CommonCsv, ExportWritesChannelsInUseUnderTheFullHeader)
{
    ChannelTable table;
    const QStringList row = {"146.52000", "146.00000", "D023I", "D023N", "Middle", "Unlock", "No", "CALL"};
    for (int c = ColRx; c <= ColName; ++c)
        table.cell(6, c) = row[c - 1];
    EXPECT_EQ(ChannelTableCommonCsv(table),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
              "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n"
              "5,CALL,146.520000,-,0.520000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,S,Middle,Unlock,,,,\n");
}

} // namespace
