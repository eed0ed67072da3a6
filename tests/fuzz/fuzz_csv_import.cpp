// CSV text of any bytes, imported into an image holding a few channels, in
// every layout the program imports and in both interface languages.
//
// Checks: an import with problems leaves the image byte for byte as it was;
// a clean import changes only the channel and name areas and the band
// edges, and the channel table exported from the result imports back into
// it without problems and without changing a byte.
#include "FuzzSupport.h"

#include "image/ChannelTable.h"
#include "image/Csv.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"

using namespace corvane;
using namespace corvane::fuzz;

namespace {

// The layout `corvane-cli show` prints.
QStringList ImportShowLayout(const QByteArray &bytes, MemoryImage &image, const AppState &app)
{
    QList<CsvRecord> records;
    QString error;
    if (!ParseCsv(QString::fromUtf8(bytes), records, error))
        return {error};
    return ImportChannels(records, image, app);
}

struct Layout {
    QStringList (*import)(const QByteArray &bytes, MemoryImage &image, const AppState &app);
};

// One line per layout.
const Layout kLayouts[] = {
    {ImportShowLayout},
};

void ImportOnce(const Layout &layout, const QByteArray &bytes, bool chinese)
{
    const AppState &app = App(chinese);
    const MemoryImage before = ImageWithChannels();
    MemoryImage image = before;
    if (!layout.import(bytes, image, app).isEmpty()) {
        FUZZ_CHECK(image == before);
        return;
    }
    FUZZ_CHECK(EqualOutside(image, before, {{0, kChannelCount * kRecordSize},
                                            {kNameAreaStart, kNameAreaStart + kChannelCount * kNameSlotSize},
                                            {Off::bandLimits, Off::bandLimits + 3}}));
    ChannelTable table;
    DecodeChannels(image, table, chinese);
    MemoryImage again = image;
    FUZZ_CHECK(ImportShowLayout(ChannelTableCsv(table, chinese).toUtf8(), again, app).isEmpty());
    FUZZ_CHECK(again == image);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const Layout &layout : kLayouts) {
        ImportOnce(layout, bytes, false);
        ImportOnce(layout, bytes, true);
    }
    return 0;
}
