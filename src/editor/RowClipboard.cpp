#include "editor/RowClipboard.h"

#include "app/AppState.h"
#include "editor/CProgramView.h"
#include "editor/CellCommit.h"
#include "image/CProgramDoc.h"
#include "image/ChannelRow.h"
#include "image/CsvImport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

using namespace corvane;

namespace {

QList<int> RowsFrom(int first, int count)
{
    QList<int> rows;
    for (int r = first; r < first + count; ++r)
        rows << r;
    return rows;
}

} // namespace

QMimeData *RowClipboard::CopyData() const
{
    const QList<int> rows = m_view.Selection().Rows();
    if (rows.isEmpty())
        return nullptr;
    const ChannelTable &table = m_view.Table();
    QList<ChannelRow> bytes;
    for (int row : rows)
        bytes << EncodedRow(table, m_view.GetDocument().m_image, row);
    const QString text = ChannelRowsCsv(table, rows, m_view.App().chinese);
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/csv"), text.toUtf8());
    data->setData(QLatin1String(kChannelMimeType), PackChannelBytes(bytes));
    return data;
}

void RowClipboard::Copy() const
{
    if (QMimeData *data = CopyData())
        QApplication::clipboard()->setMimeData(data);
}

void RowClipboard::Cut()
{
    Copy();
    Delete();
}

// Each selected channel is erased as emptying its receive cell erases it.
void RowClipboard::Delete()
{
    const QList<int> rows = m_view.Selection().Rows();
    ChannelTable work = m_view.Table();
    for (int row : rows)
        CommitCell(work, {row, ColRx, QString(), 0, 0, m_view.App().chinese});
    m_view.History().ApplyRows(work, m_view.GetDocument().m_image, rows);
}

QStringList RowClipboard::Paste() { return Paste(QApplication::clipboard()->mimeData()); }

QStringList RowClipboard::Paste(const QMimeData *data)
{
    if (!data)
        return {};
    const int start = m_view.Selection().IsEmpty() ? m_view.Grid().Row() : m_view.Selection().First();
    ChannelTable table = m_view.Table();
    MemoryImage image = m_view.GetDocument().m_image;
    QList<ChannelRow> raw;
    QStringList problems;
    int written = 0;
    if (UnpackChannelBytes(data->data(QLatin1String(kChannelMimeType)), raw))
        problems = PasteChannelBytes(raw, start, table, image, m_view.Band(), m_view.App(), written);
    else if (data->hasText())
        problems = PasteIntoTable(data->text(), start, table, m_view.Band(), m_view.App(), written);
    if (!problems.isEmpty() || written == 0)
        return problems;
    const QList<int> rows = RowsFrom(start, written);
    m_view.History().ApplyRows(table, image, rows);
    m_view.Selection().Select(rows);
    return problems;
}
