#include "cli/CliContext.h"

#include "image/FileAccess.h"
#include "image/Texts.h"
#include "settings/SettingsLocation.h"

#include <QCoreApplication>

namespace corvane {

QString CliContext::Option(const QString &name, const QString &def) const
{
    const int i = options.indexOf(name);
    return (i >= 0 && i + 1 < options.size()) ? options[i + 1] : def;
}

QStringList CliContext::Options(const QString &name) const
{
    QStringList values;
    for (int i = 0; i + 1 < options.size(); ++i)
        if (options[i] == name)
            values << options[++i];
    return values;
}

bool CliContext::Flag(const QString &name) const { return options.contains(name); }

QStringList CliContext::UnknownOptions(const QStringList &valued, const QStringList &flags) const
{
    QStringList unknown;
    for (int i = 0; i < options.size(); ++i) {
        if (valued.contains(options[i]))
            ++i;
        else if (!flags.contains(options[i]))
            unknown << options[i];
    }
    return unknown;
}

int PrepareContext(CliContext &ctx, const QStringList &argv)
{
    // argv: words after the command name. Options start with "--".
    QString settingsPath;
    QString language;
    for (int i = 0; i < argv.size(); ++i) {
        const QString &a = argv[i];
        if (a == QLatin1String("--settings") || a == QLatin1String("--language")) {
            if (i + 1 >= argv.size()) {
                ctx.err << "corvane-cli: " << a << " needs a value\n";
                return Exit::Usage;
            }
            (a == QLatin1String("--settings") ? settingsPath : language) = argv[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            ctx.options << a;
            // Options of the commands that take a value keep it with them.
            if (i + 1 < argv.size() && !argv[i + 1].startsWith(QLatin1String("--"))
                && (a == "--retries" || a == "--log" || a == "--image" || a == "--baud"
                    || a == "--save" || a == "--fault" || a == "--set" || a == "--pdf" || a == "--report"
                    || a == "--count" || a == "--format"))
                ctx.options << argv[++i];
        } else {
            ctx.args << a;
        }
    }
    if (!language.isEmpty() && language != QLatin1String("English") && language != QLatin1String("Chinese")) {
        ctx.err << "corvane-cli: --language takes English or Chinese\n";
        return Exit::Usage;
    }
    // The desktop program's settings, its per-user copy included.
    if (settingsPath.isEmpty())
        settingsPath = SettingsLocation::ForReading(QCoreApplication::applicationDirPath() + QStringLiteral("/Program.ini"));
    // The command line never writes the settings file: a missing one stays
    // missing (read once first for the system's reason of a failure).
    QByteArray unused;
    Result readable = ReadFileBytes(settingsPath, unused);
    if (readable.ok() && !ctx.app.settings.LoadPath(settingsPath, false))
        readable = Result::fail(Status::FileError, QString());
    if (!readable.ok()) {
        ctx.err << "corvane-cli: cannot read settings file " << settingsPath
                << (readable.reason.isEmpty() ? QString() : QStringLiteral(": ") + readable.reason) << "\n";
        return Exit::File;
    }
    const QByteArray name = language.isEmpty() ? ctx.app.settings.GetString("Setup", "Language")
                                               : language.toUtf8();
    ctx.app.ApplyLanguage(name);
    ctx.app.appName = ctx.app.LanguageText("Company");
    if (!ctx.app.bundle.Load(QCoreApplication::applicationDirPath(), QString::fromUtf8(name))) {
        const QString file = LanguageBundle::FileFor(QCoreApplication::applicationDirPath(), QString::fromUtf8(name));
        ctx.err << "corvane-cli: " << Txt::LoadLanguageFail.text(ctx.app.chinese) << "\n"
                << Txt::LanguageFileLookedFor.text(ctx.app.chinese).arg(file) << "\n";
        return Exit::File;
    }
    return Exit::Ok;
}

} // namespace corvane
