// CSV text of any bytes, imported into an image holding a few channels
// through the one import entry point (either layout, told by the header),
// in both interface languages.
#include "FuzzSupport.h"

#include "image/CommonCsv.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"

using namespace corvane;
using namespace corvane::fuzz;

namespace {

void ImportOnce(const QByteArray &bytes, bool chinese)
{
    const AppState &app = App(chinese);
    const MemoryImage before = ImageWithChannels();
    MemoryImage image = before;
    if (!ImportCsvText(QString::fromUtf8(bytes), image, app).isEmpty()) {
        FUZZ_CHECK(image == before);
        return;
    }
    FUZZ_CHECK(EqualOutside(image, before, {{0, kChannelCount * kRecordSize},
                                            {kNameAreaStart, kNameAreaStart + kChannelCount * kNameSlotSize},
                                            {Off::bandLimits, Off::bandLimits + 3}}));
    ChannelTable table;
    DecodeChannels(image, table, chinese);
    // Bits no layout carries (byte 12 beside the power, bytes 13-15) stay.
    for (int n = 0; n < kChannelCount; ++n) {
        if (!table.isEmptyChannel(n + 1)) {
            image.record(n)[12] ^= 0x81;
            image.record(n)[15] ^= static_cast<uint8_t>(n | 1);
        }
    }
    // Every layout the program writes; the import tells them by the header.
    for (const QString &text : {ChannelTableCsv(table, chinese), ChannelTableCommonCsv(table)}) {
        MemoryImage again = image;
        FUZZ_CHECK(ImportCsvText(text, again, app).isEmpty());
        FUZZ_CHECK(again == image);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ImportOnce(bytes, false);
    ImportOnce(bytes, true);
    return 0;
}
