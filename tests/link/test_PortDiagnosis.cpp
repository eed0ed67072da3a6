// What a failed port open tells the user: port and device first, then the
// system's reason, then advice that fits the device's owner, group and
// mode (never "join root").
#include "app/LanguageBundle.h"
#include "link/LinkStrings.h"
#include "link/PortDiagnosis.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

DeviceAccess Access(const char *mode, const char *group, bool groupRw, bool inGroup, bool listed)
{
    DeviceAccess a;
    a.exists = true;
    a.mode = mode;
    a.owner = "root";
    a.group = group;
    a.groupMayReadWrite = groupRw;
    a.inGroup = inGroup;
    a.listedInGroup = listed;
    a.user = "dealer";
    return a;
}

struct AdviceCase {
    const char *name;
    DeviceAccess access;
    int adviceId; // 0: no advice line
};

class Advice : public ::testing::TestWithParam<AdviceCase> {
protected:
    void SetUp() override { ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English")); }
    LanguageBundle en;
};

TEST_P(Advice, FitsTheDevice)
{
    OpenFailure f{"COM1", "/dev/ttyUSB0", "Permission denied", true, GetParam().access};
    const QStringList lines = DescribeOpenFailure(f, en);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "Port: COM1 (/dev/ttyUSB0)");
    EXPECT_EQ(lines[1], "Reason: Permission denied");
    const int id = GetParam().adviceId;
    ASSERT_EQ(lines.size(), id ? 3 : 2) << lines.join('\n').toStdString();
    if (!id)
        return;
    const QString &advice = lines[2];
    EXPECT_TRUE(advice.startsWith(en.String(id).section('%', 0, 0))) << advice.toStdString();
    EXPECT_FALSE(advice.contains("-aG root")) << advice.toStdString();
    if (id == Ids::JoinGroup) {
        EXPECT_TRUE(advice.contains("sudo usermod -aG dialout dealer")) << advice.toStdString();
    }
    if (id == Ids::UdevRule) {
        EXPECT_TRUE(advice.contains(QString("The device /dev/ttyUSB0 is %1, owner \"root\", group \"%2\"")
                                        .arg(GetParam().access.mode, GetParam().access.group)))
            << advice.toStdString();
        EXPECT_TRUE(advice.contains("KERNEL==\"ttyUSB[0-9]*\", GROUP=\"dialout\", MODE=\"0660\""));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, Advice,
    ::testing::Values(AdviceCase{"GroupMayUseItJoinIt", Access("crw-rw----", "dialout", true, false, false), Ids::JoinGroup},
                      AdviceCase{"JoinedButSessionIsOlder", Access("crw-rw----", "dialout", true, false, true),
                                 Ids::LogInAgain},
                      AdviceCase{"OnlyTheOwner", Access("crw-------", "root", false, false, false), Ids::UdevRule},
                      AdviceCase{"GroupRootMayUseIt", Access("crw-rw----", "root", true, false, false), Ids::UdevRule},
                      AdviceCase{"GroupMayOnlyRead", Access("crw-r-----", "dialout", false, false, true), Ids::UdevRule},
                      AdviceCase{"InTheGroupAndStillRefused", Access("crw-rw----", "dialout", true, true, true), 0},
                      AdviceCase{"HeldByAnotherProgram",
                                 [] {
                                     DeviceAccess a = Access("crw-rw----", "dialout", true, true, true);
                                     a.userMayReadWrite = true;
                                     return a;
                                 }(),
                                 Ids::DeviceBusy},
                      AdviceCase{"Gone", DeviceAccess{}, 0}),
    [](const ::testing::TestParamInfo<AdviceCase> &i) { return std::string(i.param.name); });

TEST(OpenFailureLines, NoDeviceAndOtherReasons)
{
    {
        LanguageBundle zh;
        ASSERT_TRUE(zh.Load(QStringLiteral(CORVANE_BIN_DIR), "Chinese"));
        EXPECT_EQ(DescribeOpenFailure({"com3", "", "", false, {}}, zh),
                  (QStringList{"端口：COM3 (无设备)", zh.String(Ids::NoDeviceForPort).arg("COM3")}));
    }
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), "English"));
    EXPECT_EQ(DescribeOpenFailure({"/dev/pts/9", "/dev/pts/9", "No such file or directory", false, {}}, en),
              (QStringList{"Port: /dev/pts/9", "Reason: No such file or directory"}));
}

TEST(OpenFailureLines, InspectsARealDeviceAndNamesKernelPatterns)
{
    const DeviceAccess null = InspectDevice("/dev/null");
    EXPECT_TRUE(null.exists);
    EXPECT_EQ(null.mode, "crw-rw-rw-");
    EXPECT_TRUE(null.userMayReadWrite);
    EXPECT_FALSE(null.owner.isEmpty());
    EXPECT_FALSE(InspectDevice("/dev/corvane-missing").exists);
    EXPECT_EQ(KernelPattern("/dev/ttyUSB12"), "ttyUSB[0-9]*");
    EXPECT_EQ(KernelPattern("/dev/ttyS0"), "ttyS[0-9]*");
    EXPECT_EQ(KernelPattern("/dev/radio"), "radio");
}

} // namespace
