#include "print/PagePainter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace corvane {

namespace {
constexpr int kTwipsPerInch = 1440;
} // namespace

PagePainter::PagePainter(const QPaintDevice &device)
{
    // The paint device's size is its printable area in device pixels.
    m_metrics.width = device.width() * kTwipsPerInch / device.logicalDpiX();
    m_metrics.height = device.height() * kTwipsPerInch / device.logicalDpiY();
    m_main = MakeFont(m_metrics.FontSize(PrintFont::Main));
    m_small = MakeFont(m_metrics.FontSize(PrintFont::Small));
    m_metrics.l1 = LineHeight(m_main);
    m_metrics.l2 = LineHeight(m_small);
}

QFont PagePainter::MakeFont(const PrintFontSize &size)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // Unhinted, so that the metrics measured here are those of the page
    // at any printer resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Pixels of the painter's logical unit, the twip: the world transform
    // scales text with everything else.
    font.setPixelSize(qMax(1, size.height));
    const qreal average = QFontMetricsF(font).averageCharWidth();
    if (average > 0 && size.width > 0)
        font.setStretch(qBound(1, qRound(100.0 * size.width / average), 4000));
    return font;
}

int PagePainter::LineHeight(const QFont &font)
{
    const QFontMetricsF fm(font);
    return qRound(fm.height() + qMax<qreal>(0, fm.leading()));
}

void PagePainter::PaintPage(QPainter &painter, const PrintPage &page) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0)); // one device pixel, as a default pen draws
    for (const PrintRule &r : page.rules)
        painter.drawLine(QPointF(r.x1, r.y), QPointF(r.x2, r.y));
    for (const PrintText &t : page.texts) {
        if (t.text.isEmpty())
            continue;
        const QFont &font = Font(t.font);
        painter.setFont(font);
        // The item's point is the top-left corner of the text's cell.
        painter.drawText(QPointF(t.x, t.y + QFontMetricsF(font).ascent()), t.text);
    }
    painter.restore();
}

bool PagePainter::Paint(QPagedPaintDevice &device, const PrintPageModel &model, const QPageRanges &pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const PagePainter sheet(device);
    painter.scale(qreal(device.logicalDpiX()) / kTwipsPerInch, qreal(device.logicalDpiY()) / kTwipsPerInch);
    bool first = true;
    for (int p = 1; p <= model.PageCount(); ++p) {
        if (!pages.isEmpty() && !pages.contains(p))
            continue;
        if (!first)
            device.newPage();
        first = false;
        sheet.PaintPage(painter, model.Page(p, sheet.Metrics()));
    }
    return painter.end();
}

} // namespace corvane
