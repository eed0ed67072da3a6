#pragma once
// Channel tables as CSV text, in two layouts, and back.
//
// The table layout is the one `corvane-cli show` prints: a header of the
// nine grid headings (either language) and one row per channel, labelled
// "Pr", "1".."199". The common layout (image/CommonCsv.h) is the column set
// that amateur channel-plan tools exchange; its header names the columns.
// Every import detects the layout from the header and applies each row as
// if it were typed into the grid: receive frequency first, then the other
// columns in order, through the grid's commit rules (editor/CellCommit.h),
// so a file can hold nothing that typing could not.
//
// Problems are listed, all of them, as "row LABEL, column HEADING: MESSAGE"
// ("Location N, column NAME: ..." in the common layout) or
// "line N: MESSAGE", in the language of `app`; whenever there is one,
// nothing at all is changed.
#include "app/AppState.h"
#include "image/ChannelTable.h"
#include "image/Csv.h"
#include "image/MemoryImage.h"

#include <QList>
#include <QStringList>

namespace corvane {

enum class CsvLayout { Unknown, Table, Common };

// The layout a header record names. The table header may leave out its
// first column ("CH"), as a row copied without its label does.
CsvLayout DetectCsvLayout(const QStringList &header);

// Header (the grid headings in the language) and 200 rows, one a line,
// each ended by LF.
QString ChannelTableCsv(const ChannelTable &table, bool chinese);
// The same header and the given grid rows (1..200) in the given order.
QString ChannelRowsCsv(const ChannelTable &table, const QList<int> &gridRows, bool chinese);

// A file: the header is required, each row goes to the channel its label
// or Location names, a channel given twice is a problem. Rows not given
// keep what they hold. `table` is changed only when there is no problem.
QStringList ImportIntoTable(const QList<CsvRecord> &records, ChannelTable &table, BandLimits band,
                            const AppState &app);

// The same on an image: decoded, imported, encoded again (the band is that
// of the image's radio type and band in the settings). The one entry point
// of the command line's import.
QStringList ImportChannels(const QList<CsvRecord> &records, MemoryImage &image, const AppState &app);
// Parses `text` first (a malformed text is one problem).
QStringList ImportCsvText(const QString &text, MemoryImage &image, const AppState &app);

// Text from the clipboard (rows copied by this program or cells copied
// from a spreadsheet): tab-separated when its first line holds a tab,
// else comma-separated; the header is optional; rows of the table layout
// may come with or without their label column. The rows are written in
// order from grid row `startRow` on, whatever labels they carry, and
// those past row 200 are left out. `rowsWritten` tells how many rows were
// written. `table` is changed only when there is no problem.
QStringList PasteIntoTable(const QString &text, int startRow, ChannelTable &table, BandLimits band,
                           const AppState &app, int &rowsWritten);

} // namespace corvane
