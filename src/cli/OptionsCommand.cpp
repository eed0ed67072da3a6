// corvane-cli options IMAGE.dat [--set "LABEL=VALUE"]...
//
// Without --set: every option as "LABEL: VALUE", labels and values as the
// dialog of the chosen language shows them. With --set: each named control
// is applied as the dialog's OK applies it, every other byte stays, and
// the file is saved atomically; a single bad setting refuses them all and
// leaves the file untouched.
#include "cli/Commands.h"
#include "image/DataFile.h"
#include "image/OptionChoices.h"

namespace corvane {

namespace {

constexpr char kUsage[] = "usage: corvane-cli options IMAGE.dat [--set \"LABEL=VALUE\"]...\n";

bool ValidWords(CliContext &ctx)
{
    const QStringList unknown = ctx.UnknownOptions({QStringLiteral("--set")}, {});
    const int sets = int(ctx.options.count(QStringLiteral("--set")));
    if (ctx.args.size() == 1 && unknown.isEmpty() && sets == ctx.Options(QStringLiteral("--set")).size())
        return true;
    if (!unknown.isEmpty())
        ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
    else if (sets != ctx.Options(QStringLiteral("--set")).size())
        ctx.err << "corvane-cli: --set needs a value LABEL=VALUE\n";
    ctx.err << kUsage;
    return false;
}

void PrintOptions(CliContext &ctx, const MemoryImage &image)
{
    ctx.out.setEncoding(QStringConverter::Utf8);
    for (const OptionField &f : OptionFields())
        ctx.out << f.Label(ctx.app.chinese) << ": " << OptionValueText(f, image, ctx.app.chinese) << "\n";
}

} // namespace

int CmdOptions(CliContext &ctx)
{
    if (!ValidWords(ctx))
        return Exit::Usage;
    const QString path = ctx.args[0];
    MemoryImage image;
    Result r = LoadImageFile(path, image);
    if (!r.ok()) {
        ctx.err << "corvane-cli: " << r.text << "\n";
        return Exit::File;
    }
    const QStringList settings = ctx.Options(QStringLiteral("--set"));
    if (settings.isEmpty()) {
        PrintOptions(ctx, image);
        return Exit::Ok;
    }
    std::vector<OptionChoice> choices;
    QStringList problems;
    for (const QString &s : settings) {
        OptionChoice c;
        const Result parsed = ParseOptionSetting(s, ctx.app.chinese, c);
        if (!parsed.ok()) {
            problems << parsed.text;
            continue;
        }
        // A control named twice takes its last value.
        for (OptionChoice &earlier : choices)
            if (earlier.field == c.field)
                earlier.field = nullptr;
        choices.push_back(c);
    }
    ctx.err.setEncoding(QStringConverter::Utf8);
    for (const QString &p : problems)
        ctx.err << p << "\n";
    if (!problems.isEmpty())
        return Exit::Rejected;
    if (!ApplyOptionChoices(choices, image))
        return Exit::Ok; // nothing to change: the file is left as it is
    r = SaveImageFile(path, image);
    if (!r.ok()) {
        ctx.err << "corvane-cli: " << r.text << "\n";
        return Exit::File;
    }
    return Exit::Ok;
}

} // namespace corvane
