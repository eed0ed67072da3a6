#include "image/ChannelRow.h"

#include "editor/CellCommit.h"
#include "image/Codecs.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "image/TypedRow.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr char kMagic[] = {'C', 'V', 'C', 'H', 1};
constexpr int kHeaderSize = int(sizeof(kMagic)) + 1;
constexpr int kRowBytes = kRecordSize + kNameSlotSize;

} // namespace

const char kChannelMimeType[] = "application/x-corvane-channels";

ChannelRow TakeRow(const ChannelTable &table, const MemoryImage &image, int gridRow)
{
    ChannelRow row;
    for (int col = ColRx; col <= ColName; ++col)
        row.cells[std::size_t(col - 1)] = table.cell(gridRow, col);
    std::copy_n(image.record(gridRow - 1), kRecordSize, row.record.begin());
    std::copy_n(image.nameSlot(gridRow - 1), kNameSlotSize, row.name.begin());
    return row;
}

void PutRow(const ChannelRow &row, int gridRow, ChannelTable &table, MemoryImage &image)
{
    for (int col = ColRx; col <= ColName; ++col)
        table.cell(gridRow, col) = row.cells[std::size_t(col - 1)];
    std::copy(row.record.begin(), row.record.end(), image.record(gridRow - 1));
    std::copy(row.name.begin(), row.name.end(), image.nameSlot(gridRow - 1));
}

ChannelRow EncodedRow(const ChannelTable &table, const MemoryImage &image, int gridRow)
{
    MemoryImage work = image;
    EncodeRecord(table, gridRow - 1, work);
    return TakeRow(table, work, gridRow);
}

QByteArray PackChannelBytes(const QList<ChannelRow> &rows)
{
    QByteArray data(kMagic, int(sizeof(kMagic)));
    data.append(char(std::min<qsizetype>(rows.size(), kChannelCount)));
    for (int i = 0; i < rows.size() && i < kChannelCount; ++i) {
        data.append(reinterpret_cast<const char *>(rows[i].record.data()), kRecordSize);
        data.append(reinterpret_cast<const char *>(rows[i].name.data()), kNameSlotSize);
    }
    return data;
}

bool UnpackChannelBytes(const QByteArray &data, QList<ChannelRow> &rows)
{
    rows.clear();
    if (data.size() < kHeaderSize || !data.startsWith(QByteArray(kMagic, int(sizeof(kMagic)))))
        return false;
    const int count = static_cast<uint8_t>(data[kHeaderSize - 1]);
    if (count > kChannelCount || data.size() != kHeaderSize + count * kRowBytes)
        return false;
    const auto *p = reinterpret_cast<const uint8_t *>(data.constData()) + kHeaderSize;
    for (int i = 0; i < count; ++i, p += kRowBytes) {
        ChannelRow row;
        std::copy_n(p, kRecordSize, row.record.begin());
        std::copy_n(p + kRecordSize, kNameSlotSize, row.name.begin());
        rows << row;
    }
    return true;
}

QStringList PasteChannelBytes(const QList<ChannelRow> &rows, int startRow, ChannelTable &table, MemoryImage &image,
                              BandLimits band, const AppState &app, int &rowsWritten)
{
    rowsWritten = 0;
    QStringList problems;
    ChannelTable workTable = table;
    MemoryImage workImage = image;
    int gridRow = startRow;
    for (int i = 0; i < rows.size() && gridRow <= kChannelCount; ++i, ++gridRow) {
        PutRow(rows[i], gridRow, workTable, workImage);
        DecodeRecord(workImage, gridRow - 1, workTable, app.chinese);
        for (int col : {int(ColRx), int(ColTx)}) {
            const QString text = workTable.cell(gridRow, col);
            const CommitRequest req{gridRow, col, text, band.low, band.high, app.chinese};
            const int id = text.isEmpty() ? 0 : PreviewCommit(workTable, req).messageId;
            if (id != 0)
                problems << CellProblem(RowWhere(gridRow, app.chinese), ColumnHeading(col).text(app.chinese),
                                        app.bundle.String(id), app.chinese);
        }
    }
    if (!problems.isEmpty())
        return problems;
    table = workTable;
    image = workImage;
    rowsWritten = gridRow - startRow;
    return problems;
}

} // namespace corvane
