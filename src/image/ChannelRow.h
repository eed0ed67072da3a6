#pragma once
// One channel as the desktop program moves it between the grid, the image
// and the clipboard: the eight texts of its table row together with the 16
// bytes of its record and the 8 bytes of its name slot, so that the bytes
// the grid does not show (record bytes 13-15, the unused bits of byte 12)
// travel with it.
#include "app/AppState.h"
#include "image/ChannelTable.h"
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>

namespace corvane {

struct ChannelRow {
    std::array<QString, 8> cells;                 // grid columns 1..8
    std::array<uint8_t, kRecordSize> record{};
    std::array<uint8_t, kNameSlotSize> name{};

    bool operator==(const ChannelRow &o) const { return cells == o.cells && record == o.record && name == o.name; }
    bool operator!=(const ChannelRow &o) const { return !(*this == o); }
};

// Grid row 1..200 as it stands: the table's texts and the image's bytes,
// which lag behind the texts until the next encode pass.
ChannelRow TakeRow(const ChannelTable &table, const MemoryImage &image, int gridRow);
void PutRow(const ChannelRow &row, int gridRow, ChannelTable &table, MemoryImage &image);
// The bytes the encode pass would give the row now: its texts encoded
// over the image's present bytes of that record and name slot.
ChannelRow EncodedRow(const ChannelTable &table, const MemoryImage &image, int gridRow);

// The private clipboard form of whole channels: "CVCH", version byte 1, a
// row count byte, then per row its 16 record bytes and its 8 name bytes.
extern const char kChannelMimeType[];
QByteArray PackChannelBytes(const QList<ChannelRow> &rows);
// Rows with their bytes only (texts empty); false for data of any other
// form or length.
bool UnpackChannelBytes(const QByteArray &data, QList<ChannelRow> &rows);

// Writes the bytes of `rows` into grid rows startRow.. (those past row 200
// are left out) and decodes their texts. A channel whose receive or
// transmit frequency the commit rules would refuse in `band` is a problem,
// "row LABEL, column HEADING: MESSAGE" naming the row it would go to; with
// any problem nothing is changed. `rowsWritten` tells how many rows were
// written.
QStringList PasteChannelBytes(const QList<ChannelRow> &rows, int startRow, ChannelTable &table, MemoryImage &image,
                              BandLimits band, const AppState &app, int &rowsWritten);

} // namespace corvane
