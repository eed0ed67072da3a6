#include "image/Csv.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Csv, QuotingRoundTrip)
{
    const QStringList fields{"plain", "a,b", "say \"hi\"", "two\nlines", ""};
    QList<CsvRecord> recs;
    QString err;
    ASSERT_TRUE(ParseCsv(CsvLine(fields) + "\r\n" + CsvLine({"x"}) + "\n", recs, err)) << err.toStdString();
    ASSERT_EQ(recs.size(), 2);
    EXPECT_EQ(recs[0].fields, fields);
    EXPECT_EQ(recs[1].line, 3); // the quoted line break counts
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("plain"), "plain");
}

TEST(Csv, BomBlankLinesAndMissingFinalNewline)
{
    QList<CsvRecord> recs;
    QString err;
    ASSERT_TRUE(ParseCsv(QString(QChar(0xFEFF)) + "a,b\n\nc,d", recs, err));
    ASSERT_EQ(recs.size(), 2);
    EXPECT_EQ(recs[0].fields, (QStringList{"a", "b"}));
    EXPECT_EQ(recs[1].fields, (QStringList{"c", "d"}));
    EXPECT_EQ(recs[1].line, 3);
}

TEST(Csv, MalformedInputNamesTheLine)
{
    for (const char *bad : {"a,\"b\n", "a,b\"c\n", "x\n\"a\"b,c\n"}) {
        QList<CsvRecord> recs;
        QString err;
        EXPECT_FALSE(ParseCsv(QString::fromLatin1(bad), recs, err)) << bad;
        EXPECT_TRUE(err.startsWith("line ")) << bad;
    }
}
