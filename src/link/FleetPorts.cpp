#include "link/FleetPorts.h"

#include "link/PortNames.h"

#include <QFileInfo>

namespace corvane {

namespace {
// The device a path finally names, so that a by-id link and the node it
// points to count as one.
QString Canonical(const QString &device)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    return real.isEmpty() ? device : real;
}
} // namespace

QString FindSameDevice(const std::vector<FleetTarget> &targets)
{
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const FleetTarget &a = targets[j], &b = targets[i];
            if (b.device.isEmpty() || Canonical(a.device) != Canonical(b.device))
                continue;
            return a.name == b.name ? QStringLiteral("%1 is given twice").arg(a.name)
                                    : QStringLiteral("%1 and %2 are the same device (%3)")
                                          .arg(a.name, b.name, Canonical(b.device));
        }
    }
    return QString();
}

Result ResolveFleetTargets(const QStringList &names, const CProfileFile *settings, const QStringList &devices,
                           std::vector<FleetTarget> &out)
{
    out.clear();
    std::vector<FleetTarget> targets;
    for (const QString &name : names)
        targets.push_back({name, ResolvePortName(name, settings, devices)});
    const QString same = FindSameDevice(targets);
    if (!same.isEmpty())
        return Result::fail(Status::Usage, same);
    out = std::move(targets);
    return Result::success();
}

std::vector<FleetTarget> FleetCandidates(const CProfileFile *settings, const QStringList &devices)
{
    std::vector<FleetTarget> out;
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        out.push_back({name, ResolvePortName(name, settings, devices)});
    }
    for (const QString &device : devices)
        out.push_back({device, device});
    return out;
}

QString PortFileTag(const QString &name)
{
    QString tag = name.startsWith(QLatin1String("/dev/")) ? name.mid(5) : name;
    while (tag.startsWith(QLatin1Char('/')))
        tag.remove(0, 1);
    return tag.replace(QLatin1Char('/'), QLatin1Char('-'));
}

} // namespace corvane
