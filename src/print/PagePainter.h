#pragma once
// Paints the pages of a PrintPageModel on a printer, a preview or a PDF
// writer. The painter's logical unit is the twip, with the origin at the
// top-left corner of the printable area and y growing downward.
//
// Fonts: "Times New Roman" (fontconfig resolves it to a metric-compatible
// serif such as Liberation Serif; Chinese glyphs fall back to an installed
// CJK font), pixel size = the model's character height in twips, stretched
// so that the average character width is the model's width. The line
// heights handed to the model are those fonts' height + leading.
#include "print/PrintPageModel.h"

#include <QFont>
#include <QPageRanges>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace corvane {

class PagePainter {
public:
    // Fonts and metrics for the printable area of `device`.
    explicit PagePainter(const QPaintDevice &device);

    const PrintMetrics &Metrics() const { return m_metrics; }
    const QFont &Font(PrintFont font) const { return font == PrintFont::Main ? m_main : m_small; }

    // Paints the model's pages that `pages` holds (all of them when it is
    // empty), each on a new sheet after the first. False when the device
    // cannot be painted on (QPainter::begin or end failed).
    static bool Paint(QPagedPaintDevice &device, const PrintPageModel &model, const QPageRanges &pages = {});

    // One page on a painter already begun on the device.
    void PaintPage(QPainter &painter, const PrintPage &page) const;

private:
    static QFont MakeFont(const PrintFontSize &size);
    static int LineHeight(const QFont &font);

    PrintMetrics m_metrics;
    QFont m_main;
    QFont m_small;
};

} // namespace corvane
