#include "image/OptionChoices.h"

namespace corvane {

namespace {

// The items a setting may name, in one language; Beep's are its check texts.
QStringList SettingItems(const OptionField &f, bool chinese)
{
    if (f.kind == OptionKind::CheckBit)
        return {CheckText(false, chinese), CheckText(true, chinese)};
    return f.Items(chinese);
}

Result Refuse(const QString &label, const QString &message)
{
    return Result::fail(Status::Rejected, QStringLiteral("option %1: %2").arg(label, message));
}

const OptionField *FindOptionIgnoringCase(const QString &label)
{
    for (const OptionField &f : OptionFields())
        for (const bool chinese : {false, true})
            if (label.compare(f.Label(chinese), Qt::CaseInsensitive) == 0)
                return &f;
    return nullptr;
}

} // namespace

std::vector<OptionChoice> OptionChoicesFromImage(const MemoryImage &image)
{
    std::vector<OptionChoice> choices;
    for (const OptionField &f : OptionFields())
        choices.push_back({&f, OptionIndexFromImage(f, image)});
    return choices;
}

bool ApplyOptionChoices(const std::vector<OptionChoice> &choices, MemoryImage &image)
{
    const MemoryImage before = image;
    for (const QString &label : OptionWriteOrder())
        for (const OptionChoice &c : choices)
            if (c.field && label == QLatin1String(c.field->label))
                OptionIndexToImage(*c.field, c.index, image);
    return image != before;
}

Result ParseOptionSetting(const QString &setting, bool chinese, OptionChoice &out)
{
    const int eq = setting.indexOf(QLatin1Char('='));
    const QString label = setting.left(eq).trimmed();
    const OptionField *f = FindOptionIgnoringCase(label);
    if (!f) {
        QStringList labels;
        for (const OptionField &o : OptionFields())
            labels << o.Label(chinese);
        return Refuse(label, QStringLiteral("no such option; the options are ") + labels.join(QStringLiteral(", ")));
    }
    const QStringList items = SettingItems(*f, chinese);
    const QString allowed = QStringLiteral("; the items are ") + items.join(QStringLiteral(", "));
    if (eq < 0)
        return Refuse(f->Label(chinese), QStringLiteral("no value given (LABEL=VALUE)") + allowed);
    const QString value = setting.mid(eq + 1).trimmed();
    for (const bool zh : {false, true}) {
        const int index = SettingItems(*f, zh).indexOf(value);
        if (index >= 0) {
            out = {f, index};
            return Result::success();
        }
    }
    return Refuse(f->Label(chinese), QStringLiteral("\"%1\" is not an item of this list").arg(value) + allowed);
}

} // namespace corvane
