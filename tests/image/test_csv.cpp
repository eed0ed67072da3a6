// CSV text and pasted rows applied to the channel table and the image.
#include "image/ChannelRow.h"
#include "image/Codecs.h"
#include "image/CommonCsv.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

const QString kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";
const QString kCommonHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                              "RxDtcsCode,CrossMode,Skip,Power,Comment\n";

// The texts of a grid row: Rx, Tx, Dec, Enc, Power, Lock, Scan, Name.
QStringList RowTexts(const ChannelTable &table, int gridRow)
{
    QStringList out;
    for (int c = ColRx; c <= ColName; ++c)
        out << table.cell(gridRow, c);
    return out;
}

// Record n holds 145.0125 MHz and the name of the given name codes.
void PutChannel(MemoryImage &image, int n, std::initializer_list<uint8_t> name)
{
    const uint8_t rec[16] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0, 0, 0};
    std::copy(rec, rec + 16, image.record(n));
    std::fill(image.nameSlot(n), image.nameSlot(n) + kNameSlotSize, 0xFF);
    std::copy(name.begin(), name.end(), image.nameSlot(n));
}

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

// Each problem is one line: the message, then what is allowed (the steps,
// or that the type has no band, so no frequency at all); nothing reaches
// the image. (The band: Paste below.)
TEST(CsvImport, RejectedFrequenciesSayWhatIsAllowed)
{
    TestEnv banded, bandless("[Setup]\r\nLanguage=English\r\nType1=T-1\r\n");
    const struct { TestEnv *env; const char *row, *problem; } cases[] = {
        {&banded, "1,145.001", "row 1, column Rx Frequency: Error data Value, please input according the "
                               "step value(6.25K/5k). Allowed channel steps: 2.5, 5 and 6.25 kHz"},
        {&bandless, "Pr,145.0125", "row Pr, column Rx Frequency: Out of range,please input again. Program.ini gives "
                                   "no frequency band for this radio type, so no frequency can be entered."},
    };
    for (const auto &c : cases) {
        MemoryImage image = MemoryImage::newImage();
        EXPECT_EQ(ImportCsvText(kHeader + c.row + ",,,,,,,\n", image, c.env->app), QStringList{c.problem});
        EXPECT_EQ(image, MemoryImage::newImage()) << c.row;
    }
}

const BandLimits kBand{13000000, 16000000};

class Paste : public ::testing::Test {
protected:
    TestEnv env;
    ChannelTable table;

    QStringList Row(int gridRow) const { return RowTexts(table, gridRow); }
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

// Whole records (unused bits and bytes set, name bytes hidden after the
// end mark) travel packed and land byte for byte; a save would keep the
// record's bytes and write the name slot as the encoder does. Rows the band
// refuses change nothing.
TEST_F(Paste, RecordBytesTravelWhole)
{
    ChannelRow row;
    row.record = {0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x23, 0xC0, 0x85, 0x08, 0xD3, 0x01, 0x02, 0x03};
    row.name = {0x0A, 0x0B, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55};
    QList<ChannelRow> rows;
    ASSERT_TRUE(UnpackChannelBytes(PackChannelBytes({row, row}), rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(std::make_pair(rows[1].record, rows[1].name), std::make_pair(row.record, row.name));
    for (const QByteArray &bad : {QByteArray("CVCH\x01\x01", 6), QByteArray("XVCH\x01\x00", 6),
                                  PackChannelBytes({row}).chopped(1), QByteArray("CVCH\x01\xC9", 6)}) {
        QList<ChannelRow> none;
        EXPECT_FALSE(UnpackChannelBytes(bad, none));
    }

    MemoryImage image = MemoryImage::newImage();
    int written = 0;
    ASSERT_TRUE(PasteChannelBytes(rows, 200, table, image, kBand, env.app, written).isEmpty());
    EXPECT_EQ(written, 1);
    EXPECT_TRUE(std::equal(row.record.begin(), row.record.end(), image.record(199)));
    EXPECT_TRUE(std::equal(row.name.begin(), row.name.end(), image.nameSlot(199)));
    EXPECT_EQ(Row(200), (QStringList{"145.01250", "", "D023I", "88.5", "Middle", "Unlock", "No", "AB"}));
    const ChannelRow encoded = EncodedRow(table, image, 200);
    EXPECT_EQ(encoded.record, row.record);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(encoded.name.data()), 8), QByteArray("\x0A\x0B\xFF\xFF\xFF\xFF\xFF\xFF", 8));

    const MemoryImage before = image;
    EXPECT_EQ(PasteChannelBytes(rows, 5, table, image, {40000000, 47000000}, env.app, written),
              (QStringList{"row 4, column Rx Frequency: Out of range,please input again.",
                           "row 5, column Rx Frequency: Out of range,please input again."}));
    EXPECT_EQ(image, before);
    EXPECT_TRUE(table.isEmptyChannel(5));
}

class CommonCsv : public ::testing::Test {
protected:
    TestEnv env;
    MemoryImage image = MemoryImage::newImage(); // type 0, band 0: 130-160 MHz

    QStringList Import(const QString &text) { return ImportCsvText(text, image, env.app); }
    QStringList Row(int gridRow)
    {
        ChannelTable table;
        DecodeChannels(image, table, env.app.chinese);
        return RowTexts(table, gridRow);
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
    QString text = kCommonHeader;
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
        const QStringList problems = Import(kCommonHeader + c.row + "\n");
        ASSERT_EQ(problems.size(), 1) << c.row << ": " << problems.join('\n').toStdString();
        EXPECT_TRUE(problems[0].startsWith(c.problem)) << problems[0].toStdString();
        EXPECT_EQ(image, before) << c.row;
    }
    EXPECT_EQ(Import(kCommonHeader + "1,,145.0,,,Cross,,,,RX,017,->DTCS,,,\n"),
              (QStringList{"Location 1, column RxDtcsCode: \"017\" is not a DCS code of the list",
                           "Location 1, column DtcsPolarity: \"RX\" is not a polarity (NN, NR, RN or RR)"}));
    EXPECT_EQ(image, before);
    EXPECT_EQ(Import("Location,Name\n1,A\n"), QStringList{"line 1: the column Frequency is missing"});
    EXPECT_EQ(Import("Frequency\n145\n"), QStringList{"line 1: the column Location is missing"});
}

// The first and the last channel come out; empty ones do not. (Export ->
// import of every tone kind in both layouts and languages: the csv_import
// fuzz target.)
TEST_F(CommonCsv, ExportWritesChannelsInUseUnderTheFullHeader)
{
    ChannelTable table;
    const QStringList row = {"146.52000", "146.00000", "D023I", "D023N", "Middle", "Unlock", "No", "CALL"};
    for (int c = ColRx; c <= ColName; ++c)
        table.cell(1, c) = table.cell(200, c) = row[c - 1];
    EXPECT_EQ(ChannelTableCommonCsv(table),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
              "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n"
              "0,CALL,146.520000,-,0.520000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,S,Middle,Unlock,,,,\n"
              "199,CALL,146.520000,-,0.520000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,S,Middle,Unlock,,,,\n");
}

} // namespace
