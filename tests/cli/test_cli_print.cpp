// corvane-cli print as a user runs it: the listing of an image as a PDF,
// written atomically, in either language (its failures: test_cli.cpp).
#include "cli/CliRun.h"
#include "print/PdfTools.h"

#include <QDir>
#include <gtest/gtest.h>

using testenv::TestEnv;

TEST(CliPrint, WritesTheListingOfEveryChannel)
{
    TestEnv env;
    const QString image = env.Path("radio.dat"), pdf = env.Path("out.pdf"), zh = env.Path("zh.pdf");
    ASSERT_EQ(RunCli({"new", image}, &env).code, 0);
    QString csv = kTableHeader;
    for (int r = 1; r <= 200; ++r)
        csv += (r == 1 ? QString("Pr") : QString::number(r - 1)) + ",136.00000,136.00000,None,None,High,Lock,Yes,N"
               + QString::number(r) + "\n";
    ASSERT_EQ(RunCli({"import", image, env.WriteFile("in.csv", csv.toUtf8())}, &env).code, 0);
    const CliRun r = RunCli({"print", image, "--pdf", pdf}, &env);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pdftools::Pages(pdf), 30);
    EXPECT_EQ(pdftools::FirstOutOfOrder(
                  pdftools::Text(pdf),
                  {"Option", "Function", "Time Out Timer:", "1", "Beep:", "On", "Busy", "Off", "LED", "Auto", "Encoder",
                   "On", "Step:", "12.5k", "Battery Saver:", "0.4", "Test Owner", "Page 1 of 30", "Channel", "Channel 0:",
                   "Receive Frequency:", "136.00000", "Transceive Frequency:", "136.00000", "QT/DQT Decode:", "None",
                   "QT/DQT Encode:", "None", "Power:", "High", "Channel Lock:", "Lock", "Channel Name:", "N1",
                   "Channel 6:", "Page 2 of 30", "Channel 199:", "N200", "Page 30 of 30"}),
              "");
    EXPECT_EQ(QDir(env.Path("")).entryList({"out*"}), QStringList{"out.pdf"}); // no temporary file left

    ASSERT_EQ(RunCli({"print", image, "--pdf", zh}, &env, "Chinese").code, 0);
    EXPECT_EQ(pdftools::FirstOutOfOrder(pdftools::Text(zh, 2, 2), QString::fromUtf8("信道|信道0:|接收频率:|136.00000|高|锁定").split('|')), "");
}
