#include "link/PortNames.h"

#include "settings/CProfileFile.h"

#include <QRegularExpression>
#include <algorithm>

namespace corvane {

int ComNumber(const QString &name)
{
    static const QRegularExpression com(QStringLiteral("^com([1-4])$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(name);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

namespace {
// Rank of a device kind: USB serial adapters, then CDC-ACM, then anything
// else, then the motherboard's UARTs.
int KindRank(const QString &base)
{
    if (base.startsWith(QLatin1String("ttyUSB")))
        return 0;
    if (base.startsWith(QLatin1String("ttyACM")))
        return 1;
    if (base.startsWith(QLatin1String("ttyS")))
        return 3;
    return 2;
}

struct SortKey {
    int rank;
    QString stem;
    long number;
};

SortKey KeyOf(const QString &path)
{
    const QString base = path.section(QLatin1Char('/'), -1);
    int digits = static_cast<int>(base.size());
    while (digits > 0 && base[digits - 1].isDigit())
        --digits;
    const QString tail = base.mid(digits);
    return {KindRank(base), base.left(digits), tail.isEmpty() ? -1 : tail.toLong()};
}
} // namespace

QStringList OrderSerialDevices(QStringList devices)
{
    std::stable_sort(devices.begin(), devices.end(), [](const QString &a, const QString &b) {
        const SortKey ka = KeyOf(a), kb = KeyOf(b);
        if (ka.rank != kb.rank)
            return ka.rank < kb.rank;
        if (ka.stem != kb.stem)
            return ka.stem < kb.stem;
        return ka.number < kb.number;
    });
    return devices;
}

QString PortLabel(const QString &name, const QString &device, const QString &noDevice)
{
    const int n = ComNumber(name);
    if (n == 0)
        return device.isEmpty() ? name : device;
    return QStringLiteral("COM%1 (%2)").arg(n).arg(device.isEmpty() ? noDevice : device);
}

QString ResolvePortName(const QString &name, const CProfileFile *settings, const QStringList &devices)
{
    const int n = ComNumber(name);
    if (n == 0)
        return name;
    if (settings) {
        const QByteArray configured = settings->GetString("Ports", "COM" + QByteArray::number(n)).trimmed();
        if (!configured.isEmpty())
            return QString::fromLocal8Bit(configured);
    }
    return n <= devices.size() ? devices[n - 1] : QString();
}

} // namespace corvane
