#pragma once
// A temporary world for one test: a settings file, a per-user store folder
// (XDG_CONFIG_HOME) and a loaded AppState with its language bundle.
#include "app/AppState.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace testenv {

// The default settings of the tests: two radio types with band lists.
inline QByteArray DefaultIni(const QByteArray &language = "English")
{
    return "[Setup]\r\nLanguage=" + language +
           "\r\nShowLang=1\r\nAppName=CorvaneTest\r\n"
           "Type1=T-1\r\nField1=130-160MHz|400-470MHz\r\n"
           "Type2=T-2\r\nField2=136-174MHz\r\n"
           "Type3=T-3\r\nField3=100-200MHz|130 - 160MHz\r\n"
           "[English]\r\nCompany=Test Co\r\nAppName=Test Programmer\r\n"
           "Copyrights Owner=Test Owner\r\n"
           "[Chinese]\r\nCompany=\xe6\xb5\x8b\xe8\xaf\x95\r\nAppName=\xe6\xb5\x8b\xe8\xaf\x95\xe7\xa8\x8b\xe5\xba\x8f\r\n";
}

class TestEnv {
public:
    explicit TestEnv(const QByteArray &ini = DefaultIni())
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        WriteFile(QStringLiteral("Program.ini"), ini);
        app.settings.LoadPath(m_dir.filePath(QStringLiteral("Program.ini")), false);
        app.ApplyLanguage(app.settings.GetString("Setup", "Language"));
        app.bundle.Load(QStringLiteral(CORVANE_BIN_DIR), QString::fromUtf8(app.languageName));
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QString WriteFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

    static QByteArray ReadFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    AppState app;

private:
    QTemporaryDir m_dir;
};

} // namespace testenv
