#include "print/PrintTexts.h"

#include "image/OptionTable.h"

namespace corvane {

namespace PrintTxt {
const BiText OptionTitle{"Option", "可选功能"};
const BiText FunctionTitle{"Function", "功能"};
const BiText ChannelTitle{"Channel", "信道"};
const BiText ChannelHeading{"Channel %1:", "信道%1:"};
const BiText ReceiveFrequency{"Receive Frequency:", "接收频率:"};
const BiText TransmitFrequency{"Transceive Frequency:", "发射频率:"};
const BiText DecodeTone{"QT/DQT Decode:", "QT/DQT解码:"};
const BiText EncodeTone{"QT/DQT Encode:", "QT/DQT编码:"};
const BiText Power{"Power:", "功率:"};
const BiText ChannelLock{"Channel Lock:", "信道锁定:"};
const BiText ChannelName{"Channel Name:", "信道名字:"};

QString PageCounter(int page, int pageCount)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(pageCount);
}
} // namespace PrintTxt

const OptionField &PrintOptionLine::Field() const
{
    // Every name below is a label of the option table (a test walks them).
    return *FindOption(QLatin1String(option));
}

QString PrintOptionLine::Value(const MemoryImage &image, bool chinese) const
{
    const OptionField &f = Field();
    if (mask == 0)
        return OptionValueText(f, image, chinese);
    const int value = image.option(f.offset) & mask;
    const QStringList &items = f.Items(chinese);
    if (value < items.size())
        return items.at(value);
    switch (beyond) {
    case Beyond::LastItem:
        return items.constLast();
    case Beyond::Fifths:
        return QString::asprintf("%1.1f", value * 0.2);
    case Beyond::Number:
    case Beyond::None:
        break;
    }
    return QString::number(value);
}

const std::vector<PrintOptionLine> &PrintOptionLines()
{
    using B = PrintOptionLine::Beyond;
    static const std::vector<PrintOptionLine> lines{
        {{"Time Out Timer:", "超时定时器:"}, "Time-Out Timer", 0x03, B::None},
        {{"Squelch Level:", "静噪电平:"}, "Squelch Level", 0x0F, B::Number},
        {{"Beep:", "提示音:"}, "Beep", 0, B::None},
        {{"Call Tone:", "呼叫铃音:"}, "Call Tone", 0x0F, B::Number},
        {{"Channel Display:", "信道显示:"}, "Channel Display", 0, B::None},
        {{"Priority Scan:", "优先扫描:"}, "Priority Scan", 0, B::None},
        {{"Busy", "繁忙:"}, "Busy", 0, B::None},
        {{"Pri-Scanning Time:", "预扫描时间:"}, "Pri-Scanning Time", 0x03, B::None},
        {{"Scan Mode:", "扫描模式:"}, "Scan Mode", 0, B::None},
        {{"Keypad Lock:", "键盘锁定:"}, "Keypad Lock", 0, B::None},
        {{"LED", "LED"}, "LED", 0, B::None},
        {{"Mode:", "模式:"}, "Mode", 0, B::None},
        {{"Encoder", "编码器"}, "Encoder", 0, B::None},
        {{"Voice Sensitivity:", "声控灵敏度:"}, "Voice Sensitivity", 0x1F, B::Number},
        {{"Step:", "步长:"}, "Step", 0xFF, B::LastItem},
        {{"Battery Saver:", "电池省电:"}, "Battery Saver", 0x07, B::Fifths},
    };
    return lines;
}

} // namespace corvane
