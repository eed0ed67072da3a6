#include "image/Texts.h"

namespace corvane {

namespace Txt {
const BiText None{"None", "无"};
const BiText Low{"Low", "低"};
const BiText Middle{"Middle", "中"};
const BiText High{"High", "高"};
const BiText Unlock{"Unlock", "未锁定"};
const BiText Lock{"Lock", "锁定"};
const BiText No{"No", "无"};
const BiText Yes{"Yes", "有"};
const BiText ChannelTitle{"Channel Information", "信道信息"};
const BiText ReadData{"Read Data", "读数据"};
const BiText WriteData{"Write Data", "写数据"};
const BiText LoadLanguageFail{"Load language DLL fail", "加载语言链接库失败"};
const BiText LanguageFileLookedFor{"Looked for: %1", "查找的文件：%1"};
} // namespace Txt

static const BiText kHeadings[9] = {
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"},
    {"QT/DQT Enc", "QT/DQT编码"},
    {"Power", "功率"},
    {"Cha Lock", "信道锁定"},
    {"Scan Add", "扫描添加"},
    {"Cha Name", "信道名字"},
};

const BiText &ColumnHeading(int col) { return kHeadings[col]; }

QStringList ColumnHeadings(bool zh)
{
    QStringList out;
    for (const BiText &h : kHeadings)
        out << h.text(zh);
    return out;
}

QStringList PowerItems(bool zh) { return {Txt::High.text(zh), Txt::Middle.text(zh), Txt::Low.text(zh)}; }
QStringList LockItems(bool zh) { return {Txt::Lock.text(zh), Txt::Unlock.text(zh)}; }
QStringList ScanItems(bool zh) { return {Txt::Yes.text(zh), Txt::No.text(zh)}; }

QString RowLabel(int gridRow)
{
    if (gridRow == 1)
        return QStringLiteral("Pr");
    return QString::asprintf("%3d", gridRow - 1);
}

} // namespace corvane
