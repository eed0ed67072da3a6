// A "*.dat" file of any bytes: load, decode into the channel table, refresh,
// encode back, save and load again.
#include "FuzzSupport.h"

#include "image/Codecs.h"
#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"

#include <algorithm>
#include <cstring>

using namespace corvane;
using namespace corvane::fuzz;

namespace {

constexpr int kChannelAreaEnd = kChannelCount * kRecordSize;
constexpr int kNameAreaEnd = kNameAreaStart + kChannelCount * kNameSlotSize;

bool IsShowable(const ChannelTable &t, int row, bool chinese)
{
    auto frequency = [](const QString &s) { return s.isEmpty() || ParseNumber(s) < 1000.0; };
    return frequency(t.cell(row, ColRx)) && frequency(t.cell(row, ColTx))
           && ToneList(chinese).contains(t.cell(row, ColDecode)) && ToneList(chinese).contains(t.cell(row, ColEncode))
           && PowerItems(chinese).contains(t.cell(row, ColPower)) && LockItems(chinese).contains(t.cell(row, ColLock))
           && ScanItems(chinese).contains(t.cell(row, ColScan));
}

void DecodeEncode(const MemoryImage &loaded, bool chinese)
{
    const AppState &app = App(chinese);
    ChannelTable table;
    DecodeChannels(loaded, table, chinese);

    MemoryImage refreshed = loaded;
    ChannelTable refreshedTable;
    RefreshFromImage(refreshed, refreshedTable, app, false);
    FUZZ_CHECK(EqualOutside(refreshed, loaded, {{Off::bandLimits, Off::bandLimits + 3}}));
    FUZZ_CHECK(SameRows(table, refreshedTable));

    MemoryImage committed = refreshed;
    CommitToImage(table, committed);
    FUZZ_CHECK(EqualOutside(committed, refreshed, {{0, kChannelAreaEnd}, {kNameAreaStart, kNameAreaEnd}}));

    ChannelTable again;
    DecodeChannels(committed, again, chinese);
    for (int row = 1; row <= kChannelCount; ++row) {
        const int n = row - 1;
        if (table.isEmptyChannel(row)) {
            const uint8_t *rec = committed.record(n);
            FUZZ_CHECK(std::all_of(rec, rec + kRecordSize, [](uint8_t b) { return b == 0xFF; }));
            FUZZ_CHECK(std::memcmp(committed.nameSlot(n), loaded.nameSlot(n), kNameSlotSize) == 0);
            FUZZ_CHECK(again.isEmptyChannel(row));
        } else if (IsShowable(table, row, chinese)) {
            FUZZ_CHECK(SameRow(table, again, row));
        }
    }

    const QString path = WorkPath(QStringLiteral("saved.dat"));
    FUZZ_CHECK(SaveImageFile(path, committed).ok());
    MemoryImage reloaded;
    FUZZ_CHECK(LoadImageFile(path, reloaded).ok() && reloaded == committed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = WriteWorkFile(QStringLiteral("input.dat"), bytes);
    const MemoryImage before = ImageWithChannels();
    MemoryImage image = before;
    const Result r = LoadImageFile(path, image);
    if (size < static_cast<std::size_t>(kImageSize)) {
        FUZZ_CHECK(r.status == Status::NotImage && image == before);
        // Short inputs still exercise the decoder: they overwrite the start
        // of a new image, where the first channel records lie.
        image = MemoryImage::newImage();
        std::copy(data, data + size, image.data());
    } else {
        FUZZ_CHECK(r.ok() && std::memcmp(image.data(), data, kImageSize) == 0);
    }
    // The last byte picks the language of the decoded texts (odd: Chinese).
    DecodeEncode(image, size > 0 && (data[size - 1] & 1));
    return 0;
}
