// Painting the listing: the fonts the painter derives from the printable
// area, that every text fits its place without overlapping, and that
// Chinese text finds real glyphs. The written PDF itself is read back
// by the command-line and command tests.
#include "app/GuiTestSupport.h"
#include "image/MemoryImage.h"
#include "print/PagePainter.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTextLayout>

using namespace corvane;

namespace {

// Channels in rows 1..n with the widest texts the grid can hold.
ChannelTable WideChannels(int n, bool chinese)
{
    ChannelTable t;
    const QStringList texts = {"470.00000", "", "D754I", "254.1", chinese ? QString::fromUtf8("中") : "Middle",
                               chinese ? QString::fromUtf8("未锁定") : "Unlock", "Yes", "WWWWWW"};
    for (int r = 1; r <= n; ++r)
        for (int c = ColRx; c <= ColName; ++c)
            t.cell(r, c) = c == ColTx ? QStringLiteral("%1.99375").arg(400 + r) : texts[c - 1];
    return t;
}

QPageLayout Layout(QPageSize::PageSizeId size, QPageLayout::Orientation o)
{
    return QPageLayout(QPageSize(size), o, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

} // namespace

// The stretch makes the average character as wide as the printable area asks.
TEST(PagePainter, FontsTakeTheSizesOfThePrintableArea)
{
    QPdfWriter writer(QStringLiteral("/dev/null"));
    writer.setPageLayout(Layout(QPageSize::A4, QPageLayout::Portrait));
    const PagePainter painter(writer);
    for (PrintFont f : {PrintFont::Main, PrintFont::Small}) {
        const PrintFontSize size = painter.Metrics().FontSize(f);
        EXPECT_EQ(painter.Font(f).pixelSize(), size.height);
        EXPECT_NEAR(QFontMetricsF(painter.Font(f)).averageCharWidth(), size.width, size.width * 0.02);
    }
}

// Nothing runs off the printable area, into a neighbour on its line or
// below the footer rule, in either language, on portrait and landscape;
// every Chinese character finds a real glyph.
TEST(PagePainter, EveryTextFitsWithoutOverlap)
{
    const struct { QPageSize::PageSizeId size; QPageLayout::Orientation orientation; } layouts[] = {
        {QPageSize::A4, QPageLayout::Portrait}, {QPageSize::Letter, QPageLayout::Portrait},
        {QPageSize::A4, QPageLayout::Landscape}};
    for (const auto &l : layouts) {
        QPdfWriter writer(QStringLiteral("/dev/null"));
        writer.setPageLayout(Layout(l.size, l.orientation));
        const PagePainter painter(writer);
        const PrintMetrics &m = painter.Metrics();
        for (bool chinese : {false, true}) {
            MemoryImage allOnes = MemoryImage::newImage();
            for (int off = Off::beepFlags; off <= Off::callKey; ++off)
                allOnes.setOption(off, 0xFF);
            const PrintPageModel model(WideChannels(8, chinese), allOnes, chinese,
                                       chinese ? QString::fromUtf8("测试所有者有限公司") : QStringLiteral("Test Owner Ltd"));
            for (int p : {1, 2}) {
                SCOPED_TRACE(testing::Message() << "layout " << int(l.size) << "/" << int(l.orientation)
                                                << (chinese ? " zh" : " en") << " page " << p);
                const PrintPage page = model.Page(p, m);
                QMap<int, QList<QPair<qreal, qreal>>> lines; // y -> (left, right)
                for (const PrintText &t : page.texts) {
                    const QFontMetricsF fm(painter.Font(t.font));
                    const qreal right = t.x + fm.horizontalAdvance(t.text);
                    EXPECT_LE(right, m.width) << t.text.toStdString();
                    EXPECT_LE(t.y + fm.height(), m.height) << t.text.toStdString();
                    lines[t.y].append({qreal(t.x), right});
                    if (t.y < page.rules[2].y) {
                        EXPECT_LT(t.y + fm.height(), page.rules[2].y) << t.text.toStdString();
                    } else {
                        EXPECT_GT(t.y, page.rules[2].y) << t.text.toStdString();
                    }
                    QTextLayout layout(t.text, painter.Font(t.font));
                    layout.beginLayout();
                    layout.createLine();
                    layout.endLayout();
                    for (const QGlyphRun &run : layout.glyphRuns())
                        EXPECT_FALSE(run.glyphIndexes().contains(0)) << t.text.toStdString();
                }
                for (auto spans : lines) {
                    std::sort(spans.begin(), spans.end());
                    for (int i = 1; i < spans.size(); ++i)
                        EXPECT_LT(spans[i - 1].second, spans[i].first);
                }
            }
        }
    }
}
