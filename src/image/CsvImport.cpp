#include "image/CsvImport.h"

#include "editor/CellCommit.h"
#include "image/Codecs.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"

#include <QHash>

namespace corvane {

namespace {

constexpr int kColumns = 9;

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

bool IsHeader(const QStringList &fields)
{
    return fields == ColumnHeadings(false) || fields == ColumnHeadings(true);
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

bool ValidName(const QString &name) { return name.size() <= 6 && IsNameText(name); }

class RowImporter {
public:
    RowImporter(ChannelTable &table, const AppState &app, int low, int high, QStringList &problems)
        : m_table(table), m_app(app), m_low(low), m_high(high), m_problems(problems) {}

    void Apply(int row, const QStringList &f)
    {
        m_label = f[0];
        Commit(row, ColRx, f[ColRx]);
        Commit(row, ColTx, f[ColTx]);
        for (int col = ColDecode; col <= ColScan; ++col) {
            if (f[col].isEmpty())
                continue;
            QString text;
            if (!NormaliseListText(col, f[col], m_app.chinese, text)) {
                Problem(col, QStringLiteral("\"%1\" is not an entry of the list").arg(f[col]));
                continue;
            }
            Commit(row, col, text);
        }
        const QString name = f[ColName].toUpper();
        // The name slot holds 8 characters while a new name has at most 6:
        // a name read from the image comes back as it was.
        if (name == m_table.cell(row, ColName))
            return;
        if (!ValidName(name))
            Problem(ColName, QStringLiteral("\"%1\" is not a name of at most 6 characters 0-9, A-Z, - and _")
                                 .arg(f[ColName]));
        else
            Commit(row, ColName, name);
    }

private:
    void Problem(int col, const QString &message)
    {
        m_problems << QStringLiteral("row %1, column %2: %3")
                          .arg(m_label, ColumnHeading(col).text(m_app.chinese), message);
    }

    void Commit(int row, int col, const QString &text)
    {
        CommitRequest req{row, col, text, m_low, m_high, m_app.chinese};
        const CommitOutcome out = CommitCell(m_table, req);
        // One line per problem: the message's detail follows its text.
        if (out.rejectedFrequency())
            Problem(col, RejectionMessage(out.messageId, m_low, m_high, m_app.bundle)
                             .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }

    ChannelTable &m_table;
    const AppState &m_app;
    int m_low, m_high;
    QStringList &m_problems;
    QString m_label;
};

} // namespace

QString ChannelTableCsv(const ChannelTable &table, bool chinese)
{
    QString text = CsvLine(ColumnHeadings(chinese)) + QLatin1Char('\n');
    for (int row = 1; row <= kChannelCount; ++row) {
        QStringList fields{RowLabel(row).trimmed()};
        for (int col = ColRx; col <= ColName; ++col)
            fields << table.cell(row, col);
        text += CsvLine(fields) + QLatin1Char('\n');
    }
    return text;
}

QStringList ImportChannels(const QList<CsvRecord> &records, MemoryImage &image, const AppState &app)
{
    QStringList problems;
    if (records.isEmpty() || !IsHeader(records[0].fields))
        return {QStringLiteral("line 1: the header must be %1").arg(CsvLine(ColumnHeadings(app.chinese)))};

    MemoryImage work = image;
    ChannelTable table;
    const RefreshOutcome refreshed = RefreshFromImage(work, table, app, false);
    RowImporter importer(table, app, refreshed.bandLow, refreshed.bandHigh, problems);
    QHash<int, int> seen;
    for (int i = 1; i < records.size(); ++i) {
        const CsvRecord &rec = records[i];
        if (rec.fields.size() != kColumns) {
            problems << QStringLiteral("line %1: %2 columns, %3 expected").arg(rec.line).arg(rec.fields.size()).arg(kColumns);
            continue;
        }
        const int row = RowForLabel(rec.fields[0]);
        if (row == 0) {
            problems << QStringLiteral("line %1: unknown channel label \"%2\"").arg(rec.line).arg(rec.fields[0]);
            continue;
        }
        if (seen.contains(row)) {
            problems << QStringLiteral("line %1: channel \"%2\" already given on line %3")
                            .arg(rec.line).arg(rec.fields[0]).arg(seen[row]);
            continue;
        }
        seen.insert(row, rec.line);
        importer.Apply(row, rec.fields);
    }
    if (!problems.isEmpty())
        return problems;
    CommitToImage(table, work);
    image = work;
    return problems;
}

} // namespace corvane
