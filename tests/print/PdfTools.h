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

inline int Pages(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// "595 x 842" for A4 portrait (points).
inline QString PageSize(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+(\\d+ x \\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.captured(1);
}

// Pages first..last (0: to the end), laid out as on paper.
inline QString Text(const QString &pdf, int first = 1, int last = 0)
{
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first)};
    if (last > 0)
        args << QStringLiteral("-l") << QString::number(last);
    return Run(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
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
