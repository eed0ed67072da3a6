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
    const struct passwd *owner = ::getpwuid(st.st_uid);
    a.owner = owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(st.st_uid);
    const struct passwd *me = ::getpwuid(::geteuid());
    a.user = me ? QString::fromLocal8Bit(me->pw_name) : QString::number(::geteuid());
    a.inGroup = SessionHasGroup(st.st_gid);
    if (const struct group *g = ::getgrgid(st.st_gid)) {
        a.group = QString::fromLocal8Bit(g->gr_name);
        for (char **m = g->gr_mem; m && *m; ++m)
            a.listedInGroup = a.listedInGroup || QString::fromLocal8Bit(*m) == a.user;
    } else {
        a.group = QString::number(st.st_gid);
    }
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
