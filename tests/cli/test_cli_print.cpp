// corvane-cli print as a user runs it: the listing of an image as a PDF,
// written atomically, in either language, and its failures.
#include "image/DataFile.h"
#include "image/MemoryImage.h"
#include "print/PdfTools.h"
#include "support/TestEnv.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

class CliPrint : public ::testing::Test {
protected:
    TestEnv env;

    int Cli(QStringList args, QString *err = nullptr)
    {
        args << "--settings" << env.Path("Program.ini");
        QProcess p;
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("XDG_CONFIG_HOME", env.Path("config"));
        pe.remove("QT_QPA_PLATFORM"); // the command chooses its platform itself
        p.setProcessEnvironment(pe);
        p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
        p.waitForFinished(60000);
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }

    // A new image with channels in rows 1..n (all on 136.00000 MHz).
    QString Image(int n)
    {
        const QString path = env.Path("radio.dat");
        EXPECT_EQ(Cli({"new", path}), 0);
        QByteArray csv = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";
        for (int r = 1; r <= n; ++r)
            csv += (r == 1 ? QByteArray("Pr") : QByteArray::number(r - 1)) + ",136.00000,136.00000,None,None,High,Lock,Yes,N"
                   + QByteArray::number(r) + "\n";
        EXPECT_EQ(Cli({"import", path, env.WriteFile("in.csv", csv)}), 0);
        return path;
    }
};

} // namespace

TEST_F(CliPrint, WritesTheListingOfEveryChannel)
{
    const QString image = Image(200);
    const QString pdf = env.Path("out.pdf");
    QString err;
    ASSERT_EQ(Cli({"print", image, "--pdf", pdf}, &err), 0) << err.toStdString();
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

    const QString zh = env.Path("zh.pdf");
    ASSERT_EQ(Cli({"print", image, "--pdf", zh, "--language", "Chinese"}), 0);
    EXPECT_EQ(pdftools::FirstOutOfOrder(pdftools::Text(zh, 2, 2), QString::fromUtf8("信道|信道0:|接收频率:|136.00000|高|锁定").split('|')), "");
}

TEST_F(CliPrint, UsageAndFileErrors)
{
    const QString image = Image(0);
    EXPECT_EQ(Cli({"print", image}), 2);
    EXPECT_EQ(Cli({"print", "--pdf", env.Path("x.pdf")}), 2);
    EXPECT_EQ(Cli({"print", image, "--pdf", env.Path("x.pdf"), "--colour"}), 2);

    QString err;
    EXPECT_EQ(Cli({"print", env.Path("missing.dat"), "--pdf", env.Path("x.pdf")}, &err), 3);
    EXPECT_TRUE(err.contains("missing.dat")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(env.Path("x.pdf")));

    // A PDF that cannot be written: exit 3 and a message naming it.
    const QString blocked = env.Path("nowhere/x.pdf");
    EXPECT_EQ(Cli({"print", image, "--pdf", blocked}, &err), 3);
    EXPECT_TRUE(err.contains(blocked)) << err.toStdString();
    const QString dirAsTarget = env.Path("config");
    QDir().mkpath(dirAsTarget);
    EXPECT_EQ(Cli({"print", image, "--pdf", dirAsTarget}), 3);
    EXPECT_TRUE(QFileInfo(dirAsTarget).isDir());
}
