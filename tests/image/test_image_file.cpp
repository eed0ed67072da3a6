#include "image/CProgramDoc.h"
#include "image/DataFile.h"
#include "image/MemoryImage.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

TEST(MemoryImage, NewImageHoldsOnlyTheElevenDefaults)
{
    const MemoryImage img = MemoryImage::newImage();
    const std::map<int, uint8_t> defaults = {
        {0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00}, {0x1FE0, 0x04}, {0x1FE1, 0xD4},
        {0x1FE2, 0x21}, {0x1FE4, 0x00}, {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}};
    for (int o = 0; o < kImageSize; ++o) {
        const auto it = defaults.find(o);
        ASSERT_EQ(img[o], it == defaults.end() ? 0xFF : it->second) << "offset " << o;
    }
    for (int n = 0; n < kChannelCount; ++n)
        EXPECT_TRUE(MemoryImage::isEmptyChannel(img.record(n)));
}

TEST(MemoryImage, EmptyChannelIsDecidedByByte3Alone)
{
    uint8_t rec[16];
    std::fill(rec, rec + 16, 0x12);
    EXPECT_FALSE(MemoryImage::isEmptyChannel(rec));
    rec[3] = 0x00;
    EXPECT_TRUE(MemoryImage::isEmptyChannel(rec));
    rec[3] = 0xFF;
    EXPECT_TRUE(MemoryImage::isEmptyChannel(rec));
    rec[3] = 0x44;
    rec[7] = 0xFF;
    EXPECT_TRUE(MemoryImage::hasNoTxFrequency(rec));
    EXPECT_FALSE(MemoryImage::isEmptyChannel(rec));
}

TEST(MemoryImage, ViewsAddressTheDocumentedOffsets)
{
    MemoryImage img;
    EXPECT_EQ(img.record(5) - img.data(), 0x50);
    EXPECT_EQ(img.nameSlot(0) - img.data(), 0x0C90);
    EXPECT_EQ(img.nameSlot(199) - img.data(), 0x12C8);
}

TEST(MemoryImage, BandLimitsAreDigitCodedWithUpperEdgeMinusOne)
{
    struct Case { int low, high; uint8_t b0, b1, b2; } cases[] = {
        {400, 470, 0x40, 0x46, 0x09}, {136, 174, 0x13, 0x17, 0x63}, {130, 0, 0x13, 0x00, 0xFF},
        {0, 0, 0x00, 0x00, 0xFF},
    };
    for (const Case &c : cases) {
        MemoryImage img;
        img.setBandLimits(c.low, c.high);
        EXPECT_EQ(img[0x1FF0], c.b0) << c.low << "-" << c.high;
        EXPECT_EQ(img[0x1FF1], c.b1) << c.low << "-" << c.high;
        EXPECT_EQ(img[0x1FF2], c.b2) << c.low << "-" << c.high;
    }
}

class DataFileTest : public ::testing::Test {
protected:
    TestEnv env;
    static MemoryImage Pattern()
    {
        MemoryImage img;
        for (int i = 0; i < kImageSize; ++i)
            img[i] = static_cast<uint8_t>(i * 7 + 3);
        return img;
    }
};

TEST_F(DataFileTest, SaveAndLoadAreByteForByte)
{
    const QString path = env.Path("a.dat");
    ASSERT_TRUE(SaveImageFile(path, Pattern()).ok());
    const QByteArray bytes = TestEnv::ReadFile(path);
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_EQ(0, memcmp(bytes.constData(), Pattern().data(), kImageSize));
    MemoryImage back;
    ASSERT_TRUE(LoadImageFile(path, back).ok());
    EXPECT_EQ(back, Pattern());
}

TEST_F(DataFileTest, ShortAndEmptyFilesAreRefusedAndLeaveTheImage)
{
    for (int size : {0, 100, kImageSize - 1}) {
        const QString path = env.WriteFile("short.dat", QByteArray(size, '\x11'));
        MemoryImage img = Pattern();
        const Result r = LoadImageFile(path, img);
        EXPECT_EQ(r.status, Status::NotImage) << size;
        EXPECT_TRUE(r.text.contains(QStringLiteral("%1 bytes, 8192 expected").arg(size))) << r.text.toStdString();
        EXPECT_EQ(img, Pattern());
    }
}

TEST_F(DataFileTest, LongFileUsesTheFirst8192Bytes)
{
    QByteArray bytes(kImageSize + 500, '\x22');
    bytes[0] = '\x01';
    MemoryImage img;
    ASSERT_TRUE(LoadImageFile(env.WriteFile("long.dat", bytes), img).ok());
    EXPECT_EQ(img[0], 0x01);
    EXPECT_EQ(img[kImageSize - 1], 0x22);
}

TEST_F(DataFileTest, MissingFileAndUnwritableTargetAreFileErrors)
{
    MemoryImage img;
    EXPECT_EQ(LoadImageFile(env.Path("nope.dat"), img).status, Status::FileError);
    EXPECT_EQ(LoadImageFile(env.Path(""), img).status, Status::FileError); // a folder
    EXPECT_EQ(SaveImageFile(env.Path("no/such/folder/x.dat"), img).status, Status::FileError);
}

TEST_F(DataFileTest, SaveOverALongerFileLeavesExactly8192Bytes)
{
    const QString path = env.WriteFile("over.dat", QByteArray(9000, '\x33'));
    ASSERT_TRUE(SaveImageFile(path, Pattern()).ok());
    EXPECT_EQ(TestEnv::ReadFile(path).size(), kImageSize);
}

TEST_F(DataFileTest, DocumentNewOpenAndFailedOpen)
{
    CProgramDoc doc;
    doc.OnNewDocument(env.app);
    EXPECT_TRUE(env.app.newDocument);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Channel Information"));
    EXPECT_TRUE(doc.GetPathName().isEmpty()) << "a new document has no file yet";
    EXPECT_EQ(doc.m_image, MemoryImage::newImage());

    const QString good = env.Path("good.dat");
    ASSERT_TRUE(SaveImageFile(good, Pattern()).ok());
    ASSERT_TRUE(doc.OnOpenDocument(good, env.app).ok());
    EXPECT_FALSE(env.app.newDocument);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good.dat"));

    env.app.newDocument = true;
    const Result r = doc.OnOpenDocument(env.WriteFile("bad.dat", QByteArray(100, 0)), env.app);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(env.app.newDocument);
    EXPECT_EQ(doc.m_image, Pattern());
    EXPECT_EQ(doc.GetPathName(), good);
}

TEST(DocumentTitle, ChineseTitle)
{
    TestEnv env(testenv::DefaultIni("Chinese"));
    CProgramDoc doc;
    doc.OnNewDocument(env.app);
    EXPECT_EQ(doc.GetTitle(), QString::fromUtf8("信道信息"));
}
