#include "image/CsvImport.h"

#include "editor/CellCommit.h"
#include "image/Codecs.h"
#include "image/CommonCsv.h"
#include "image/ImagePasses.h"
#include "image/TypedRow.h"

#include <QHash>
#include <memory>

namespace corvane {

namespace {

constexpr int kTableColumns = 9;

const BiText kCellProblem{"%1, column %2: %3", "%1，“%2”列：%3"};
const BiText kLineProblem{"line %1: %2", "第 %1 行：%2"};
const BiText kRowWhere{"row %1", "信道 %1"};
const BiText kBadHeader{"the header must be %1, or name the columns of the common layout (%2)",
                        "表头必须是 %1，或者是通用格式的列名（%2）"};
const BiText kColumnCount{"%1 columns, %2 expected", "有 %1 列，应为 %2 列"};
const BiText kUnknownLabel{"unknown channel label \"%1\"", "未知的信道标签“%1”"};
const BiText kGivenTwice{"%1 already given on line %2", "%1 已在第 %2 行给出"};
const BiText kNotListed{"\"%1\" is not an entry of the list", "“%1”不是列表中的项"};
const BiText kBadName{"\"%1\" is not a name of at most 6 characters 0-9, A-Z, - and _",
                      "“%1”不是由 0-9、A-Z、- 和 _ 组成、最多 6 个字符的名字"};

// Label -> grid row: "Pr" is row 1, "1".."199" rows 2..200 (padding allowed).
int RowForLabel(const QString &label)
{
    const QString t = label.trimmed();
    if (t == QLatin1String("Pr"))
        return 1;
    bool ok = false;
    const int n = t.toInt(&ok);
    return (ok && n >= 1 && n <= 199 && !t.startsWith(QLatin1Char('+'))) ? n + 1 : 0;
}

// The list a column's text must come from, in both languages; the text is
// put in the current language's form, as the grid's list would show it.
QStringList ListFor(int col, bool chinese)
{
    switch (col) {
    case ColDecode:
    case ColEncode: return ToneList(chinese);
    case ColPower: return PowerItems(chinese);
    case ColLock: return LockItems(chinese);
    default: return ScanItems(chinese);
    }
}

bool NormaliseListText(int col, const QString &text, bool chinese, QString &out)
{
    for (bool zh : {chinese, !chinese}) {
        const int i = ListFor(col, zh).indexOf(text);
        if (i >= 0) {
            out = ListFor(col, chinese).at(i);
            return true;
        }
    }
    return false;
}

constexpr int kNewNameLength = 6;

// A name the slot can hold; one over 6 characters is only taken when it is
// the row's present name (checked where the row is applied).
bool SlotName(const QString &name) { return name.size() <= kNameSlotSize && IsNameText(name); }

// The table layout: label (unless left out), then the eight grid columns.
class TableRowReader : public RowReader {
public:
    // needPlace: the label must name a channel (a file); else it is only
    // skipped (a paste, whose rows go where the paste starts).
    TableRowReader(bool labelled, bool needPlace, bool chinese)
        : m_labelled(labelled), m_needPlace(needPlace), m_chinese(chinese) {}

    bool Read(const CsvRecord &rec, TypedRow &row, QStringList &problems) const override
    {
        const int columns = m_labelled ? kTableColumns : kTableColumns - 1;
        if (rec.fields.size() != columns) {
            problems << LineProblem(rec.line, kColumnCount.text(m_chinese).arg(rec.fields.size()).arg(columns), m_chinese);
            return false;
        }
        row.line = rec.line;
        if (m_labelled && m_needPlace) {
            row.gridRow = RowForLabel(rec.fields[0]);
            if (row.gridRow == 0) {
                problems << LineProblem(rec.line, kUnknownLabel.text(m_chinese).arg(rec.fields[0]), m_chinese);
                return false;
            }
            row.where = kRowWhere.text(m_chinese).arg(rec.fields[0].trimmed());
        }
        const int skip = m_labelled ? 0 : 1;
        for (int col = ColRx; col <= ColName; ++col)
            row.source[col] = ColumnHeading(col).text(m_chinese);
        row.text[ColRx] = rec.fields[ColRx - skip];
        row.text[ColTx] = rec.fields[ColTx - skip];
        for (int col = ColDecode; col <= ColScan; ++col) {
            const QString &f = rec.fields[col - skip];
            QString text;
            if (f.isEmpty())
                continue;
            if (NormaliseListText(col, f, m_chinese, text))
                row.text[col] = text;
            else
                problems << CellProblem(row.where, row.source[col], kNotListed.text(m_chinese).arg(f), m_chinese);
        }
        const QString &name = rec.fields[ColName - skip];
        if (SlotName(name.toUpper()))
            row.text[ColName] = name.toUpper();
        else
            problems << CellProblem(row.where, row.source[ColName], kBadName.text(m_chinese).arg(name), m_chinese);
        return true;
    }

private:
    bool m_labelled;
    bool m_needPlace;
    bool m_chinese;
};

// Commits typed rows into a table through the grid's commit rules.
class RowApplier {
public:
    RowApplier(ChannelTable &table, BandLimits band, const AppState &app, QStringList &problems)
        : m_table(table), m_band(band), m_app(app), m_problems(problems) {}

    void Apply(const TypedRow &row, int gridRow)
    {
        for (int col = ColRx; col <= ColName; ++col) {
            if (!row.text[col] || (col == ColName && !NameFits(*row.text[col], row, gridRow)))
                continue;
            const CommitRequest req{gridRow, col, *row.text[col], m_band.low, m_band.high, m_app.chinese};
            const CommitOutcome out = CommitCell(m_table, req);
            if (out.rejectedFrequency()) {
                // One line per problem: the message's detail follows its text.
                const QString message = RejectionMessage(out.messageId, m_band.low, m_band.high, m_app.bundle)
                                            .replace(QLatin1Char('\n'), QLatin1Char(' '));
                m_problems << CellProblem(row.where, row.source[col], message, m_app.chinese);
                if (col == ColRx)
                    return; // the row stays as it was: nothing else of it can be checked against it
            }
        }
    }

private:
    // The slot holds 8 characters while a new name has at most 6: a name
    // read from the image comes back as it was, and leaves the cell alone.
    bool NameFits(const QString &name, const TypedRow &row, int gridRow)
    {
        if (name == m_table.cell(gridRow, ColName))
            return false;
        if (name.size() <= kNewNameLength)
            return true;
        m_problems << CellProblem(row.where, row.source[ColName], kBadName.text(m_app.chinese).arg(name), m_app.chinese);
        return false;
    }

    ChannelTable &m_table;
    BandLimits m_band;
    const AppState &m_app;
    QStringList &m_problems;
};

QString HeaderProblem(int line, bool chinese)
{
    return LineProblem(line,
                       kBadHeader.text(chinese).arg(CsvLine(ColumnHeadings(chinese)),
                                                    CommonCsvHeader().join(QLatin1Char(','))),
                       chinese);
}

std::unique_ptr<RowReader> ReaderFor(const QList<CsvRecord> &records, bool needPlace, bool chinese,
                                     QStringList &problems)
{
    const QStringList &header = records[0].fields;
    switch (DetectCsvLayout(header)) {
    case CsvLayout::Table:
        if (!needPlace || header.size() == kTableColumns)
            return std::make_unique<TableRowReader>(header.size() == kTableColumns, needPlace, chinese);
        break;
    case CsvLayout::Common: return MakeCommonRowReader(records, needPlace, chinese, problems);
    case CsvLayout::Unknown: break;
    }
    problems << HeaderProblem(records[0].line, chinese);
    return nullptr;
}

} // namespace

QString CellProblem(const QString &where, const QString &column, const QString &message, bool chinese)
{
    return kCellProblem.text(chinese).arg(where, column, message);
}

QString RowWhere(int gridRow, bool chinese) { return kRowWhere.text(chinese).arg(RowLabel(gridRow).trimmed()); }

QString LineProblem(int line, const QString &message, bool chinese)
{
    return kLineProblem.text(chinese).arg(line).arg(message);
}

CsvLayout DetectCsvLayout(const QStringList &header)
{
    for (bool zh : {false, true}) {
        const QStringList headings = ColumnHeadings(zh);
        if (header == headings || header == headings.mid(1))
            return CsvLayout::Table;
    }
    return IsCommonHeader(header) ? CsvLayout::Common : CsvLayout::Unknown;
}

QString ChannelRowsCsv(const ChannelTable &table, const QList<int> &gridRows, bool chinese)
{
    QString text = CsvLine(ColumnHeadings(chinese)) + QLatin1Char('\n');
    for (int row : gridRows) {
        QStringList fields{RowLabel(row).trimmed()};
        for (int col = ColRx; col <= ColName; ++col)
            fields << table.cell(row, col);
        text += CsvLine(fields) + QLatin1Char('\n');
    }
    return text;
}

QString ChannelTableCsv(const ChannelTable &table, bool chinese)
{
    QList<int> rows;
    for (int row = 1; row <= kChannelCount; ++row)
        rows << row;
    return ChannelRowsCsv(table, rows, chinese);
}

QStringList ImportIntoTable(const QList<CsvRecord> &records, ChannelTable &table, BandLimits band,
                            const AppState &app)
{
    QStringList problems;
    if (records.isEmpty())
        return {HeaderProblem(1, app.chinese)};
    const std::unique_ptr<RowReader> reader = ReaderFor(records, true, app.chinese, problems);
    if (!reader)
        return problems;
    ChannelTable work = table;
    RowApplier applier(work, band, app, problems);
    QHash<int, int> seen;
    for (int i = 1; i < records.size(); ++i) {
        TypedRow row;
        if (!reader->Read(records[i], row, problems))
            continue;
        if (seen.contains(row.gridRow)) {
            problems << LineProblem(row.line, kGivenTwice.text(app.chinese).arg(row.where).arg(seen[row.gridRow]),
                                    app.chinese);
            continue;
        }
        seen.insert(row.gridRow, row.line);
        applier.Apply(row, row.gridRow);
    }
    if (problems.isEmpty())
        table = work;
    return problems;
}

QStringList ImportChannels(const QList<CsvRecord> &records, MemoryImage &image, const AppState &app)
{
    MemoryImage work = image;
    ChannelTable table;
    const RefreshOutcome refreshed = RefreshFromImage(work, table, app, false);
    const QStringList problems = ImportIntoTable(records, table, {refreshed.bandLow, refreshed.bandHigh}, app);
    if (!problems.isEmpty())
        return problems;
    CommitToImage(table, work);
    image = work;
    return problems;
}

QStringList ImportCsvText(const QString &text, MemoryImage &image, const AppState &app)
{
    QList<CsvRecord> records;
    QString error;
    if (!ParseCsv(text, records, error))
        return {error};
    return ImportChannels(records, image, app);
}

QStringList PasteIntoTable(const QString &text, int startRow, ChannelTable &table, BandLimits band,
                           const AppState &app, int &rowsWritten)
{
    rowsWritten = 0;
    const int firstLineEnd = text.indexOf(QLatin1Char('\n'));
    const QChar separator = text.left(firstLineEnd).contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    QList<CsvRecord> records;
    QString error;
    if (!ParseCsv(text, records, error, separator))
        return {error};
    if (records.isEmpty())
        return {};
    QStringList problems;
    std::unique_ptr<RowReader> reader;
    int first = 1;
    if (DetectCsvLayout(records[0].fields) != CsvLayout::Unknown) {
        reader = ReaderFor(records, false, app.chinese, problems);
    } else {
        reader = std::make_unique<TableRowReader>(records[0].fields.size() == kTableColumns, false, app.chinese);
        first = 0;
    }
    if (!reader)
        return problems;
    ChannelTable work = table;
    RowApplier applier(work, band, app, problems);
    int row = startRow;
    for (int i = first; i < records.size() && row <= kChannelCount; ++i, ++row) {
        // A label or Location names where the row came from, not where it
        // goes: messages name the row it would be written to.
        TypedRow typed;
        typed.where = RowWhere(row, app.chinese);
        if (reader->Read(records[i], typed, problems))
            applier.Apply(typed, row);
    }
    if (!problems.isEmpty())
        return problems;
    table = work;
    rowsWritten = row - startRow;
    return problems;
}

} // namespace corvane
