#pragma once
// Reading a written PDF back with the poppler tools: page count, page size
// and the text in reading order (pdftotext -layout), as a user's viewer
// would show it.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace pdftools {

inline QString Run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A number of pdfinfo's report: "Pages", or "Page size" ("595 x 842" for
// A4 portrait, in points).
inline QString Info(const QString &pdf, const QString &field)
{
    const QRegularExpression number(field + QStringLiteral(":\\s+(\\d+( x \\d+)?)"));
    return number.match(Run(QStringLiteral("pdfinfo"), {pdf})).captured(1);
}

// The text of every page, laid out as on paper.
inline QString Text(const QString &pdf)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The words appear in this order in the text; returns the first missing one
// (empty when all are there in order).
inline QString FirstOutOfOrder(const QString &text, const QStringList &words)
{
    int at = 0;
    for (const QString &w : words) {
        const int i = text.indexOf(w, at);
        if (i < 0)
            return w;
        at = i + int(w.size());
    }
    return QString();
}

} // namespace pdftools
