// Port names and their devices, the port probe of the COM Setup dialog and
// the stored choice "com".
#include "FakeLink.h"

#include "link/PortNames.h"
#include "link/PortSetup.h"
#include "settings/CProfileFile.h"
#include "settings/UserStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

TEST(PortNames, ComNumber)
{
    const std::vector<std::pair<const char *, int>> cases{
        {"COM1", 1}, {"com4", 4}, {"Com2", 2}, {"COM0", 0}, {"com5", 0}, {"COM12", 0},
        {"com", 0},  {"/dev/ttyUSB0", 0}, {"ttyS1", 0}, {" com1", 0}, {"", 0}};
    for (const auto &[name, n] : cases)
        EXPECT_EQ(ComNumber(QString::fromLatin1(name)), n) << name;
}

TEST(PortNames, UsbAdaptersComeFirstInNumberOrder)
{
    const QStringList listed{"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyACM0",
                             "/dev/ttyUSB2", "/dev/rfcomm0", "/dev/ttyS10", "/dev/ttyS2"};
    EXPECT_EQ(OrderSerialDevices(listed),
              (QStringList{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0", "/dev/ttyS0", "/dev/ttyS1",
                           "/dev/ttyS2", "/dev/ttyS10"}));
}

class PortResolve : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile ini(dir.filePath("Program.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Setup]\r\nAppName=Corvane\r\n[Ports]\r\nCOM2=/dev/ttyUSB7  // note\r\nCOM3=\r\n");
        ini.close();
        ASSERT_TRUE(settings.LoadPath(dir.filePath("Program.ini"), false));
    }

    QTemporaryDir dir;
    CProfileFile settings;
};

TEST_F(PortResolve, SettingsThenListedDevicesThenNothing)
{
    const QStringList devices{"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1"};
    const std::vector<std::pair<const char *, const char *>> cases{
        {"COM1", "/dev/ttyUSB0"},  // no key: first device
        {"com2", "/dev/ttyUSB7"},  // key in [Ports], any letter case, comment and blanks cut
        {"COM3", "/dev/ttyS1"},    // empty key counts as absent
        {"com4", ""},              // no fourth device
        {"/dev/pts/5", "/dev/pts/5"},
        {"ttyUSB3", "ttyUSB3"},
        {"com0", "com0"}};
    for (const auto &[name, device] : cases)
        EXPECT_EQ(ResolvePortName(QString::fromLatin1(name), &settings, devices), QString::fromLatin1(device)) << name;
    EXPECT_EQ(ResolvePortName("COM2", nullptr, devices), "/dev/ttyS0");
}

TEST(PortProbe, OpensAndClosesEachOfTheFour)
{
    // Ports 2 and 4 are busy.
    struct Probing : FakePort {
        using FakePort::FakePort;
        Result Open(const QString &name) override
        {
            FakePort::Open(name);
            return name == "com2" || name == "com4" ? Result::fail(Status::PortError, "busy") : Result::success();
        }
    };
    FakeClock clock;
    Probing port(clock);
    EXPECT_EQ(ProbePorts(port), (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(port.ownEvents, (std::vector<std::string>{"open com1", "close", "open com2", "close", "open com3",
                                                        "close", "open com4", "close"}));
    EXPECT_EQ(ComPortName(0), "com0");
}

TEST(StoredCom, DefaultRoundTripAndOddValues)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    UserStore store(QStringLiteral("Corvane"));
    EXPECT_EQ(ReadStoredCom(store), 1);
    for (int n : {3, 1, 4, 0, 7, -1}) {
        WriteStoredCom(store, n);
        EXPECT_EQ(ReadStoredCom(UserStore(QStringLiteral("Corvane"))), n);
    }
    EXPECT_EQ(ReadStoredCom(UserStore(QStringLiteral("Other"))), 1);
}

} // namespace
