#include "image/OptionTable.h"

#include "image/Texts.h"

namespace corvane {

namespace {

const BiText kCallKeyItems[4] = {
    {"Off", "关"},
    {"Call Tone", "呼叫音"},
    {"Emegency Alarm", "紧急报警"}, // the radio's own spelling, kept as shipped
    {"Call Tone + Emergency Alarm", "呼叫音+紧急报警"},
};

// The item words that the Chinese dialog translates; numbers, steps and
// the scan modes read the same in both languages.
const BiText kItemWords[] = {
    {"Off", "关"}, {"On", "开"}, {"Auto", "自动"}, {"Manual", "手动"},
    {"Channel", "信道"}, {"Frequency", "频率"}, {"Memory", "存储"},
};

QStringList Chinese(const QStringList &english)
{
    QStringList out;
    for (const QString &item : english) {
        QString zh = item;
        for (const BiText &w : kItemWords)
            if (w.text(false) == item)
                zh = w.text(true);
        out << zh;
    }
    return out;
}

// "Off" followed by the numbers first..last.
QStringList OffAndNumbers(int first, int last)
{
    QStringList items{QStringLiteral("Off")};
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

std::vector<OptionField> BuildFields()
{
    using K = OptionKind;
    const QStringList offOn{QStringLiteral("Off"), QStringLiteral("On")};
    QStringList squelch;
    for (int i = 0; i <= 9; ++i)
        squelch << QString::number(i);
    QStringList callTone = OffAndNumbers(1, 8);
    callTone << QStringLiteral("1750");

    // label, Chinese label, control id, offset, kind, read mask, write mask,
    // shift, items, Chinese items (filled below), other index
    std::vector<OptionField> fields{
        {"Beep", "提示音", 1016, Off::beepFlags, K::CheckBit, 0, 0, 0, {}, {}, 0},
        {"Squelch Level", "静噪电平", 1116, Off::squelchLevel, K::WholeByte, 0x0F, 0x0F, 0, squelch, {}, 0},
        {"Time-Out Timer", "超时定时器", 1118, Off::timeOutTimer, K::WholeByte, 0x0F, 0x0F, 0,
         {"Off", "1", "3", "10"}, {}, 0},
        {"Step", "步长", 1117, Off::stepIndex, K::WholeByte, 0x07, 0x0F, 0,
         {"2.5k", "5k", "10k", "6.25k", "12.5k", "25k"}, {}, 0},
        {"Channel Display", "信道显示", 1124, Off::optionFlags1, K::InvertedBit, 0, 0, 7, offOn, {}, 0},
        {"Busy", "繁忙", 1127, Off::optionFlags1, K::InvertedBit, 0, 0, 6, offOn, {}, 1},
        {"Scan Mode", "扫描模式", 1126, Off::optionFlags1, K::BitPair, 0, 0, 4, {"SE", "CO", "TO"}, {}, 2},
        {"LED", "LED", 1119, Off::optionFlags1, K::BitPair, 0, 0, 2, {"Off", "Auto", "On"}, {}, 2},
        {"Keypad Lock", "键盘锁定", 1121, Off::optionFlags1, K::Bit, 0, 0, 1, {"Manual", "Auto"}, {}, 1},
        {"Priority Scan", "优先扫描", 1123, Off::optionFlags2, K::Bit, 0, 0, 6, offOn, {}, 1},
        {"Encoder", "编码器", 1129, Off::optionFlags2, K::Bit, 0, 0, 5, offOn, {}, 1},
        {"Mode", "模式", 1128, Off::optionFlags2, K::BitPair, 0, 0, 0, {"Channel", "Frequency", "Memory"}, {}, 2},
        {"Voice Sensitivity", "声控灵敏度", 1122, Off::voiceSensitivity, K::WholeByte, 0x1F, 0x1F, 0,
         OffAndNumbers(1, 16), {}, 0},
        {"Call Tone", "呼叫铃音", 1130, Off::callTone, K::WholeByte, 0x0F, 0x0F, 0, callTone, {}, 0},
        {"Battery Saver", "电池省电", 1120, Off::batterySaver, K::WholeByte, 0x07, 0x0F, 0,
         {"Off", "0.2", "0.4", "0.6", "0.8", "1.0"}, {}, 0},
        {"Pri-Scanning Time", "预扫描时间", 1125, Off::priScanTime, K::WholeByte, 0x07, 0x0F, 0,
         {"3s", "5s", "8s", "10s"}, {}, 0},
        {"Call Key Define", "呼叫键定义", 1131, Off::callKey, K::CallKey, 0, 0, 0, CallKeyItems(false), {}, 0},
    };
    for (OptionField &f : fields)
        f.itemsZh = f.kind == K::CallKey ? CallKeyItems(true) : Chinese(f.items);
    return fields;
}

// The index a bit field writes: the list's own indices as they are, any
// other (no selection included) as the field's stated fallback.
int EffectiveIndex(const OptionField &f, int index)
{
    return (index >= 0 && index < f.items.size()) ? index : f.otherIndexAs;
}

} // namespace

const std::vector<OptionField> &OptionFields()
{
    static const std::vector<OptionField> fields = BuildFields();
    return fields;
}

QString OptionField::Label(bool chinese) const
{
    return chinese ? QString::fromUtf8(labelZh) : QString::fromLatin1(label);
}

QString CheckText(bool ticked, bool chinese)
{
    const QString english = ticked ? QStringLiteral("On") : QStringLiteral("Off");
    return chinese ? Chinese({english}).constFirst() : english;
}

const OptionField *FindOption(const QString &label)
{
    for (const OptionField &f : OptionFields())
        if (label == QLatin1String(f.label) || label == QString::fromUtf8(f.labelZh))
            return &f;
    return nullptr;
}

QStringList CallKeyItems(bool chinese)
{
    QStringList items;
    for (const BiText &t : kCallKeyItems)
        items << t.text(chinese);
    return items;
}

int OptionIndexFromImage(const OptionField &f, const MemoryImage &image)
{
    const int byte = image.option(f.offset);
    switch (f.kind) {
    case OptionKind::CheckBit:
        return byte & 0x01;
    case OptionKind::WholeByte: {
        const int index = byte & f.readMask;
        return index < f.items.size() ? index : -1;
    }
    case OptionKind::CallKey:
        return byte < f.items.size() ? byte : 0;
    case OptionKind::InvertedBit:
        return ((byte >> f.shift) & 1) ? 0 : 1;
    case OptionKind::Bit:
        return (byte >> f.shift) & 1;
    case OptionKind::BitPair: {
        const int pair = (byte >> f.shift) & 0x03;
        return pair == 3 ? 2 : pair;
    }
    }
    return -1;
}

void OptionIndexToImage(const OptionField &f, int index, MemoryImage &image)
{
    const int old = image.option(f.offset);
    int byte = old;
    switch (f.kind) {
    case OptionKind::CheckBit:
        byte = index >= 1 ? (old | 0x01) : (old & ~0x01);
        break;
    case OptionKind::WholeByte:
        byte = index & f.writeMask;
        break;
    case OptionKind::CallKey:
        byte = EffectiveIndex(f, index);
        break;
    case OptionKind::InvertedBit:
    case OptionKind::Bit: {
        const bool on = EffectiveIndex(f, index) == 1;
        // A set bit means On for Bit, Off for InvertedBit.
        const bool set = (f.kind == OptionKind::Bit) == on;
        byte = set ? (old | (1 << f.shift)) : (old & ~(1 << f.shift));
        break;
    }
    case OptionKind::BitPair:
        byte = (old & ~(0x03 << f.shift)) | (EffectiveIndex(f, index) << f.shift);
        break;
    }
    image.setOption(f.offset, static_cast<uint8_t>(byte & 0xFF));
}

QString OptionValueText(const OptionField &f, const MemoryImage &image, bool chinese)
{
    const int index = OptionIndexFromImage(f, image);
    if (f.kind == OptionKind::CheckBit)
        return CheckText(index != 0, chinese);
    const QStringList &items = f.Items(chinese);
    return (index >= 0 && index < items.size()) ? items.at(index) : QString();
}

const QStringList &OptionWriteOrder()
{
    static const QStringList order{
        "Call Key Define", "Time-Out Timer", "Squelch Level", "Beep",       "Call Tone", "Channel Display",
        "Priority Scan",   "Busy",           "Pri-Scanning Time", "Scan Mode", "Keypad Lock", "LED",
        "Mode",            "Encoder",        "Voice Sensitivity", "Step",      "Battery Saver"};
    return order;
}

} // namespace corvane
