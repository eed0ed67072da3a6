#include "link/PortDiagnosis.h"

#include "app/LanguageBundle.h"
#include "link/LinkStrings.h"
#include "link/PortNames.h"

#include <QRegularExpression>
#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {
QString ModeText(mode_t m)
{
    QString s = S_ISCHR(m) ? QStringLiteral("c") : S_ISDIR(m) ? QStringLiteral("d") : QStringLiteral("-");
    const mode_t bits[] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP, S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};
    for (int i = 0; i < 9; ++i)
        s += (m & bits[i]) ? QLatin1Char("rwx"[i % 3]) : QLatin1Char('-');
    return s;
}

// User and group names by number. The reentrant forms: the fleet runner
// diagnoses ports on several threads at once, and the plain ones share one
// static buffer.
QString UserName(uid_t uid)
{
    struct passwd entry {};
    struct passwd *found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

// The group's name, and whether `user` is listed among its members.
QString GroupName(gid_t gid, const QString &user, bool &listed)
{
    struct group entry {};
    struct group *found = nullptr;
    std::vector<char> buffer(65536);
    listed = false;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return QString::number(gid);
    for (char **m = found->gr_mem; m && *m; ++m)
        listed = listed || QString::fromLocal8Bit(*m) == user;
    return QString::fromLocal8Bit(found->gr_name);
}

bool SessionHasGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, n)));
    const int got = groups.empty() ? 0 : ::getgroups(n, groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(0, got), gid) != groups.begin() + std::max(0, got);
}

QString PermissionAdvice(const OpenFailure &f, const LanguageBundle &t)
{
    const DeviceAccess &a = f.access;
    if (!a.exists)
        return {};
    if (a.userMayReadWrite)
        return t.String(Ids::DeviceBusy);
    const bool groupHelps = a.groupMayReadWrite && a.group != QLatin1String("root");
    if (groupHelps && !a.inGroup)
        return t.String(a.listedInGroup ? Ids::LogInAgain : Ids::JoinGroup).arg(a.group, a.user);
    if (groupHelps)
        return {}; // in a group that may use it and still refused: the reason says all we know
    return t.String(Ids::UdevRule).arg(f.device, a.mode, a.owner, a.group, KernelPattern(f.device), a.user);
}
} // namespace

DeviceAccess InspectDevice(const QString &path)
{
    DeviceAccess a;
    const QByteArray local = path.toLocal8Bit();
    struct stat st {};
    if (::stat(local.constData(), &st) != 0)
        return a;
    a.exists = true;
    a.userMayReadWrite = ::access(local.constData(), R_OK | W_OK) == 0;
    a.mode = ModeText(st.st_mode);
    a.groupMayReadWrite = (st.st_mode & S_IRGRP) && (st.st_mode & S_IWGRP);
    a.owner = UserName(st.st_uid);
    a.user = UserName(::geteuid());
    a.inGroup = SessionHasGroup(st.st_gid);
    a.group = GroupName(st.st_gid, a.user, a.listedInGroup);
    return a;
}

QString KernelPattern(const QString &device)
{
    QString base = device.section(QLatin1Char('/'), -1);
    static const QRegularExpression digits(QStringLiteral("\\d+$"));
    return base.contains(digits) ? base.replace(digits, QStringLiteral("[0-9]*")) : base;
}

QStringList DescribeOpenFailure(const OpenFailure &f, const LanguageBundle &t)
{
    QStringList lines{t.String(Ids::PortLine).arg(PortLabel(f.portName, f.device, t.String(Ids::NoDevice)))};
    if (f.device.isEmpty()) {
        lines << t.String(Ids::NoDeviceForPort).arg(QStringLiteral("COM%1").arg(ComNumber(f.portName)));
        return lines;
    }
    if (!f.systemReason.isEmpty())
        lines << t.String(Ids::ReasonLine).arg(f.systemReason);
    if (f.permission) {
        const QString advice = PermissionAdvice(f, t);
        if (!advice.isEmpty())
            lines << advice;
    }
    return lines;
}

} // namespace corvane
