#include "settings/UserStore.h"

#include <QSettings>
#include <QStandardPaths>

UserStore::UserStore(const QString &appName)
    : m_group(QStringLiteral("Software/") + appName)
{
}

QString UserStore::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Corvane/user.ini");
}

bool UserStore::ReadNumber(const QString &name, uint32_t &out) const
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(m_group);
    const QVariant stored = settings.value(name);
    // The ini format keeps numbers as text (a value set in this process may
    // still be held as a number); a list or anything that is not a plain
    // decimal in the 32-bit range counts as missing.
    if (!stored.isValid())
        return false;
    bool ok = false;
    const qulonglong value = stored.toString().toULongLong(&ok, 10);
    if (!ok || value > 0xFFFFFFFFull)
        return false;
    out = static_cast<uint32_t>(value);
    return true;
}

void UserStore::WriteNumber(const QString &name, uint32_t value)
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(m_group);
    // Every refresh of an opened image stores type and band again; leaving
    // an unchanged value alone spares the file a rewrite each time.
    const QString text = QString::number(value);
    if (settings.value(name).toString() == text)
        return;
    settings.setValue(name, text);
    settings.endGroup();
    settings.sync();
}

QString UserStore::ReadText(const QString &name) const
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(m_group);
    return settings.value(name).toString();
}

void UserStore::WriteText(const QString &name, const QString &value)
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.beginGroup(m_group);
    if (settings.value(name).toString() == value)
        return;
    settings.setValue(name, value);
    settings.endGroup();
    settings.sync();
}
