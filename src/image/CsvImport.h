#pragma once
// The channel table as CSV text in the layout of `corvane-cli show`, and
// back: a table applied to an image as if each row were typed into the
// grid (receive frequency first, then the other columns in order, through
// the grid's commit rules).
#include "app/AppState.h"
#include "image/Csv.h"
#include "image/MemoryImage.h"

#include <QStringList>

namespace corvane {

class ChannelTable;

// Header (the grid headings in the language) and 200 rows, one a line,
// each ended by LF.
QString ChannelTableCsv(const ChannelTable &table, bool chinese);

// Every problem as "row LABEL, column HEADING: MESSAGE" (or a line-level
// problem such as a wrong header). The image is changed only when the
// returned list is empty; then the encode pass has run.
QStringList ImportChannels(const QList<CsvRecord> &records, MemoryImage &image, const AppState &app);

} // namespace corvane
