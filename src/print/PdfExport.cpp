#include "print/PdfExport.h"

#include "print/PagePainter.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

namespace corvane {

QPageLayout DefaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

Result WritePdf(const QString &path, const PrintPageModel &model, const QPageLayout &layout,
                const QString &title)
{
    const auto failed = [&](const QString &why) {
        return Result::fail(Status::FileError,
                            QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Corvane"));
        painted = PagePainter::Paint(writer, model);
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("the pages could not be drawn");
        file.cancelWriting();
        return failed(why);
    }
    if (!file.commit())
        return failed(file.errorString());
    return Result::success();
}

} // namespace corvane
