#include "app/LanguageBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>

static const char kRoot[] = "/lang";

static QString Unescape(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar c = s[++i];
            out += c == QLatin1Char('n') ? QChar('\n') : c == QLatin1Char('t') ? QChar('\t') : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool LanguageBundle::Load(const QString &folder, const QString &language)
{
    Unload();
    if (language.isEmpty())
        return false;
    const QString file = FileFor(folder, language);
    if (!QFileInfo(file).isFile() || !QResource::registerResource(file, QString::fromLatin1(kRoot)))
        return false;
    m_file = file;
    m_loaded = true;
    QFile table(PathOf(QStringLiteral("strings.txt")));
    if (table.open(QIODevice::ReadOnly)) {
        const QString all = QString::fromUtf8(table.readAll());
        for (const QString &line : all.split(QLatin1Char('\n'))) {
            const int tab = line.indexOf(QLatin1Char('\t'));
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (tab > 0 && ok)
                m_strings.insert(id, Unescape(line.mid(tab + 1).remove(QLatin1Char('\r'))));
        }
    }
    return true;
}

QString LanguageBundle::FileFor(const QString &folder, const QString &language)
{
    QString file = folder + QLatin1Char('/') + language + QStringLiteral(".rcc");
    if (!QFileInfo(file).isFile()) {
        // The settings lookups ignore letter case, so the bundle name does too.
        const QStringList all = QDir(folder).entryList({QStringLiteral("*.rcc")}, QDir::Files);
        for (const QString &name : all)
            if (name.compare(language + QStringLiteral(".rcc"), Qt::CaseInsensitive) == 0)
                file = folder + QLatin1Char('/') + name;
    }
    return file;
}

void LanguageBundle::Unload()
{
    if (m_loaded)
        QResource::unregisterResource(m_file, QString::fromLatin1(kRoot));
    m_loaded = false;
    m_file.clear();
    m_strings.clear();
}

QString LanguageBundle::String(int id) const { return m_strings.value(id); }

QByteArray LanguageBundle::File(const QString &name) const
{
    QFile f(PathOf(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString LanguageBundle::PathOf(const QString &name)
{
    return QStringLiteral(":") + QString::fromLatin1(kRoot) + QLatin1Char('/') + name;
}
