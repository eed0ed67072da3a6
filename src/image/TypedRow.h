#pragma once
// One channel row read from a CSV file or from the clipboard, in either
// layout, as the texts to be typed into the cells of a grid row. The
// import then commits them through the grid's commit rules, column 1
// first, so a file row is taken exactly as typing it would take it.
#include "image/Csv.h"
#include "image/Texts.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace corvane {

struct TypedRow {
    int line = 0;    // the record's line in its text
    QString where;   // how messages name the row: "row 5", "Location 5"
    int gridRow = 0; // 1..200 where the row names its place; 0 when it does not
    // Grid columns 1..8 (index 0 unused): the text to commit, or nothing
    // when the row leaves that cell to the commit rules (new-channel
    // defaults) or to the row's present value.
    std::array<std::optional<QString>, 9> text;
    // The column name that messages about a grid column give: the grid
    // heading, or the column of the file the text came from.
    std::array<QString, 9> source;
};

// Reads the records of one layout into typed rows.
class RowReader {
public:
    virtual ~RowReader() = default;
    // False, with a problem added, when the record cannot be placed at all
    // (wrong number of fields, a label or Location that names no channel).
    // Cells that cannot be taken add problems and are left out of `row`.
    virtual bool Read(const CsvRecord &record, TypedRow &row, QStringList &problems) const = 0;
};

// "row 5, column Power: MESSAGE" (Chinese "row 5，“功率”列：MESSAGE").
QString CellProblem(const QString &where, const QString &column, const QString &message, bool chinese);
// "row 5" (Chinese "信道 5") for a grid row 1..200.
QString RowWhere(int gridRow, bool chinese);
// "line 7: MESSAGE".
QString LineProblem(int line, const QString &message, bool chinese);

} // namespace corvane
