#pragma once
// The printed listing as a PDF file, without a printer: every page of the
// model on the given page layout. The file is written through a temporary
// file renamed over the target, so a failure leaves an existing file as it
// was and never leaves a partial one.
#include "image/Result.h"
#include "print/PrintPageModel.h"

#include <QPageLayout>
#include <QString>

namespace corvane {

// The layout of the command line's PDF: A4 portrait, 10 mm margins.
QPageLayout DefaultPageLayout();

// Status::FileError with a text naming the file when it cannot be written.
Result WritePdf(const QString &path, const PrintPageModel &model, const QPageLayout &layout,
                const QString &title);

} // namespace corvane
