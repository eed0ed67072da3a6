#pragma once
// The printed listing as data: page 1 lists the radio-wide options of the
// image, pages 2 to N up to seven non-empty channels each, taken from the
// channel table (the grid's texts). Every page carries three rules and a
// footer with the owner text and "Page p of N".
//
// Units are twips (1/1440 inch). x is measured from the left edge of the
// printable area, y DOWN from its top edge; a text's point is its top-left
// corner. The painter supplies the printable size and the line heights of
// the two fonts it really uses, so the layout follows the fonts' metrics:
//   main font: height Hp / 45, average character width u = Wp / 66;
//   small font: both truncated to 0.8 of the main font's;
//   L1, L2: line height (height + external leading) of main and small font.
#include "image/ChannelTable.h"
#include "image/MemoryImage.h"
#include "print/PrintPageTable.h"

#include <QString>
#include <vector>

namespace corvane {

enum class PrintFont { Main, Small };

struct PrintFontSize {
    int height; // character height (em), twips
    int width;  // average character width, twips
};

struct PrintMetrics {
    int width = 0;  // Wp: printable width, twips
    int height = 0; // Hp: printable height, twips
    int l1 = 0;     // line height of the main font, twips
    int l2 = 0;     // line height of the small font, twips

    int Unit() const { return width / 66; }
    PrintFontSize FontSize(PrintFont font) const;
};

struct PrintText {
    int x;
    int y;
    PrintFont font;
    QString text;
};

struct PrintRule {
    int x1;
    int x2;
    int y;
};

struct PrintPage {
    std::vector<PrintText> texts; // in drawing order
    std::vector<PrintRule> rules;
};

class PrintPageModel {
public:
    // A snapshot of the grid's texts and of the image for one print job.
    // owner: "Copyrights Owner" of the language section (may be empty).
    PrintPageModel(const ChannelTable &table, const MemoryImage &image, bool chinese, const QString &owner);

    // Channel pages + 1: page 1 is always the option page.
    int PageCount() const { return m_pages.ChannelPages() + 1; }
    const PrintPageTable &PageTable() const { return m_pages; }
    // Page 1..PageCount(); an empty page outside that range.
    PrintPage Page(int page, const PrintMetrics &m) const;

private:
    void OptionPage(PrintPage &out, const PrintMetrics &m) const;
    void ChannelPage(PrintPage &out, int page, const PrintMetrics &m) const;
    void ChannelBlock(PrintPage &out, int row, int top, const PrintMetrics &m) const;

    ChannelTable m_table;
    MemoryImage m_image;
    bool m_chinese;
    QString m_owner;
    PrintPageTable m_pages;
};

} // namespace corvane
