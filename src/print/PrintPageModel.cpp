#include "print/PrintPageModel.h"

#include "print/PrintTexts.h"

namespace corvane {

namespace {
constexpr int kBodyLines = 36;    // the footer sits on main-font line 36
constexpr double kBlockLines = 5.7; // channel blocks start 5.7 small-font lines apart
} // namespace

PrintFontSize PrintMetrics::FontSize(PrintFont font) const
{
    const int h = height / 45;
    const int w = Unit();
    if (font == PrintFont::Main)
        return {h, w};
    return {static_cast<int>(h * 0.8), static_cast<int>(w * 0.8)};
}

PrintPageModel::PrintPageModel(const ChannelTable &table, const MemoryImage &image, bool chinese,
                               const QString &owner)
    : m_table(table), m_image(image), m_chinese(chinese), m_owner(owner)
{
    m_pages.Count(m_table);
}

PrintPage PrintPageModel::Page(int page, const PrintMetrics &m) const
{
    PrintPage out;
    if (page < 1 || page > PageCount())
        return out;
    const int u = m.Unit();
    out.rules = {{5 * u, 60 * u, 2 * m.l1 + 50},
                 {5 * u, 60 * u, 2 * m.l1 + 120},
                 {5 * u, 60 * u, kBodyLines * m.l1 - m.l1 / 2}};
    if (page == 1)
        OptionPage(out, m);
    else
        ChannelPage(out, page, m);
    // The footer is set in the small font, the last one the body used.
    const int y = kBodyLines * m.l1;
    out.texts.push_back({10 * u, y, PrintFont::Small, m_owner});
    out.texts.push_back({45 * u, y, PrintFont::Small, PrintTxt::PageCounter(page, PageCount())});
    return out;
}

void PrintPageModel::OptionPage(PrintPage &out, const PrintMetrics &m) const
{
    const int u = m.Unit();
    out.texts.push_back({6 * u, m.l1, PrintFont::Main, PrintTxt::OptionTitle.text(m_chinese)});
    out.texts.push_back({6 * u, 4 * m.l2, PrintFont::Small, PrintTxt::FunctionTitle.text(m_chinese)});
    int line = 5;
    for (const PrintOptionLine &o : PrintOptionLines()) {
        out.texts.push_back({9 * u, line * m.l2, PrintFont::Small, o.label.text(m_chinese)});
        out.texts.push_back({35 * u, line * m.l2, PrintFont::Small, o.Value(m_image, m_chinese)});
        ++line;
    }
}

void PrintPageModel::ChannelPage(PrintPage &out, int page, const PrintMetrics &m) const
{
    out.texts.push_back({6 * m.Unit(), m.l1, PrintFont::Main, PrintTxt::ChannelTitle.text(m_chinese)});
    int k = 0;
    for (int row = m_pages.FirstRow(page); row <= m_pages.LastRow(page); ++row) {
        if (m_table.isEmptyChannel(row))
            continue;
        ChannelBlock(out, row, static_cast<int>(k * kBlockLines * m.l2), m);
        ++k;
    }
}

// Lines 4 to 8 of a block: the heading, then label/value pairs.
void PrintPageModel::ChannelBlock(PrintPage &out, int row, int top, const PrintMetrics &m) const
{
    const int u = m.Unit();
    const auto y = [&](int line) { return line * m.l2 + top; };
    const auto put = [&](int x, int line, const QString &text) {
        out.texts.push_back({x, y(line), PrintFont::Small, text});
    };
    const auto pair = [&](int line, int x, const BiText &label, int xValue, int col) {
        put(x, line, label.text(m_chinese));
        put(xValue, line, m_table.cell(row, col));
    };
    put(4 * u, 4, PrintTxt::ChannelHeading.text(m_chinese).arg(row - 1));
    pair(5, 5 * u, PrintTxt::ReceiveFrequency, 22 * u, ColRx);
    pair(5, 36 * u, PrintTxt::TransmitFrequency, 55 * u, ColTx);
    pair(6, 5 * u, PrintTxt::DecodeTone, 22 * u, ColDecode);
    pair(6, 36 * u, PrintTxt::EncodeTone, 55 * u, ColEncode);
    pair(7, 5 * u, PrintTxt::Power, 22 * u, ColPower);
    pair(7, 36 * u, PrintTxt::ChannelLock, 55 * u, ColLock);
    pair(8, 5 * u, PrintTxt::ChannelName, 22 * u, ColName);
}

} // namespace corvane
