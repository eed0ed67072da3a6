// The fleet report (result words, CSV, summary) and the fleet's port names.
#include "QtAppEnvironment.h"

#include "image/Csv.h"
#include "link/FleetPorts.h"
#include "link/FleetReport.h"
#include "settings/CProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

FleetPortResult Port(Status status, const QString &text, int mismatch = 0)
{
    FleetPortResult r;
    r.target = {QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0")};
    r.result = {status, text};
    r.mismatchBytes = mismatch;
    r.elapsedMs = 12849;
    return r;
}

TEST(FleetReport, ResultWords)
{
    struct Case {
        FleetPortResult port;
        const char *english;
        const char *chinese;
    };
    const std::vector<Case> cases{
        {Port(Status::Ok, {}), "ok", "成功"},
        {Port(Status::Mismatch, "first difference at 0x1000", 8), "verify mismatch: 8 bytes",
         "校验不符：8 字节"},
        {Port(Status::PortError, "/dev/ttyUSB0: busy"), "cannot open the port: /dev/ttyUSB0: busy",
         "无法打开端口：/dev/ttyUSB0: busy"},
        {Port(Status::CommError, "no answer"), "communication error: no answer", "通信错误：no answer"},
        {Port(Status::Interrupted, "no acknowledgement"), "interrupted: no acknowledgement",
         "传输中断：no acknowledgement"},
        {Port(Status::Cancelled, "cancelled after the write block at 0x0100"), "cancelled", "已取消"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FleetReport::ResultText(c.port, false), QString::fromUtf8(c.english));
        EXPECT_EQ(FleetReport::ResultText(c.port, true), QString::fromUtf8(c.chinese));
    }
    EXPECT_EQ(FleetReport::Row(cases[0].port, false),
              (QStringList{"COM1", "/dev/ttyUSB0", "ok", "12.8"}));
}

TEST(FleetReport, CsvRoundTripsAndSavesAtomically)
{
    // A detail with a comma and a quote must stay one field.
    const std::vector<FleetPortResult> ports{Port(Status::Ok, {}),
                                             Port(Status::PortError, "it said \"busy\", twice")};
    QList<CsvRecord> rows;
    QString error;
    ASSERT_TRUE(ParseCsv(FleetReport::Csv(ports, false), rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].fields, FleetReport::Headings(false));
    EXPECT_EQ(rows[2].fields[2], "cannot open the port: it said \"busy\", twice");

    QTemporaryDir dir;
    const QString path = dir.filePath("report.csv");
    ASSERT_TRUE(FleetReport::SaveCsv(path, ports, true).ok());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), FleetReport::Csv(ports, true));
    EXPECT_EQ(FleetReport::SaveCsv(dir.filePath("no/such/dir/r.csv"), ports, false).status, Status::FileError);
}

TEST(FleetReport, Summary)
{
    const FleetPortResult ok = Port(Status::Ok, {}), busy = Port(Status::PortError, "busy"),
                          cancelled = Port(Status::Cancelled, {}), mismatch = Port(Status::Mismatch, {}, 3);
    struct Case {
        std::vector<FleetPortResult> ports;
        FleetSummary summary;
    };
    const std::vector<Case> cases{
        {{ok, ok}, FleetSummary::AllOk},
        {{ok, mismatch}, FleetSummary::Failed},
        {{ok, busy}, FleetSummary::Failed},
        {{busy, busy}, FleetSummary::NoneOpened},
        {{busy, cancelled, ok}, FleetSummary::Cancelled},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FleetReport::Summarize(c.ports), c.summary);
    EXPECT_EQ(FleetReport::SummaryText({ok, mismatch, ok}, false), "2 of 3 radios ok");

    // Only a radio that got part of the image needs writing again: not one
    // that never answered, nor one cancelled while being read back.
    FleetPortResult cancelledInVerify = cancelled, interrupted = Port(Status::Interrupted, "no acknowledgement");
    cancelledInVerify.phase = FleetPhase::Verifying;
    const std::vector<std::pair<std::vector<FleetPortResult>, bool>> notes{
        {{ok, busy, Port(Status::CommError, "no answer"), cancelledInVerify}, false},
        {{ok, interrupted}, true},
        {{cancelled}, true},
        {{mismatch}, true},
    };
    for (const auto &[ports, note] : notes)
        EXPECT_EQ(FleetReport::PartialWriteNote(ports, false).isEmpty(), !note);
}

TEST(FleetPorts, NamesDevicesAndFileTags)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB7"), link = dir.filePath("by-id-radio");
    QFile(device).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(device, link));
    QFile ini(dir.filePath("Program.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Ports]\r\nCOM2=" + device.toLocal8Bit() + "\r\n");
    ini.close();
    CProfileFile settings;
    ASSERT_TRUE(settings.LoadPath(ini.fileName(), false));
    const QStringList devices{"/dev/ttyUSB0", "/dev/ttyUSB1"};

    std::vector<FleetTarget> targets;
    ASSERT_TRUE(ResolveFleetTargets({"com1", "COM2", "COM4", "/dev/pts/9"}, &settings, devices, targets).ok());
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(targets[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(targets[1].device, device);
    EXPECT_EQ(targets[2].device, ""); // no fourth device: the port fails to open
    EXPECT_EQ(targets[3].device, "/dev/pts/9");

    struct Clash {
        QStringList names;
        const char *why;
    };
    const std::vector<Clash> clashes{
        {{"/dev/pts/9", "/dev/pts/9"}, "/dev/pts/9 is given twice"},
        {{"COM1", "/dev/ttyUSB0"}, "COM1 and /dev/ttyUSB0 are the same device (/dev/ttyUSB0)"},
        {{"COM2", link}, "COM2 and LINK are the same device (DEVICE)"},
    };
    for (const Clash &c : clashes) {
        const Result r = ResolveFleetTargets(c.names, &settings, devices, targets);
        EXPECT_EQ(r.status, Status::Usage);
        EXPECT_EQ(r.text, QString::fromLatin1(c.why).replace("LINK", link).replace("DEVICE", device));
        EXPECT_TRUE(targets.empty());
    }

    const std::vector<FleetTarget> candidates = FleetCandidates(&settings, devices);
    ASSERT_EQ(candidates.size(), 6u);
    EXPECT_EQ(candidates[1].name, "COM2");
    EXPECT_EQ(candidates[1].device, device);
    EXPECT_EQ(candidates[3].device, "");
    EXPECT_EQ(candidates[5].name, "/dev/ttyUSB1");

    for (const auto &[name, tag] : std::vector<std::pair<QString, QString>>{
             {"/dev/ttyUSB0", "ttyUSB0"}, {"/dev/pts/3", "pts-3"}, {"COM2", "COM2"},
             {"/dev/serial/by-id/usb-FTDI-if00", "serial-by-id-usb-FTDI-if00"}, {"/tmp/x", "tmp-x"}})
        EXPECT_EQ(PortFileTag(name), tag);
}

} // namespace
