// Texts of any kind committed into any cell of a channel table, under a
// band chosen by the input, then the table encoded into an image.
//
// Input: a band byte (three real bands, or two 32-bit limits from the
// input), a language byte, then commits: row byte, column byte, a text of
// up to 255 bytes (UTF-8).
#include "FuzzSupport.h"

#include "editor/CellCommit.h"
#include "image/Codecs.h"
#include "image/DecimalMath.h"
#include "image/ImagePasses.h"

using namespace corvane;
using namespace corvane::fuzz;

namespace {

void CheckScaling(const QString &text)
{
    static const double kScale[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0};
    for (int d = 0; d <= 5; ++d)
        FUZZ_CHECK(ScaledTruncated(text, d) == TruncateToInt32(DecimalMultiply(ParseNumber(text), kScale[d])));
}

void CommitOne(ChannelTable &table, const CommitRequest &req)
{
    CheckScaling(req.editorText);
    const ChannelTable before = table;
    const CommitOutcome preview = PreviewCommit(table, req);
    FUZZ_CHECK(SameRows(table, before));
    const CommitOutcome out = CommitCell(table, req);
    FUZZ_CHECK(out.messageId == preview.messageId);
    FUZZ_CHECK(out.messageId == 0 || out.messageId == 61448 || out.messageId == 61456);
    FUZZ_CHECK(out.messageId == 0 || (req.col <= ColTx && !req.editorText.isEmpty()));
    FUZZ_CHECK(SameRows(table, before, req.row));
    if (table.isEmptyChannel(req.row)) {
        for (int col = ColTx; col <= ColName; ++col)
            FUZZ_CHECK(table.cell(req.row, col).isEmpty());
    }
    const QString kept = table.cell(req.row, req.col);
    if (req.col <= ColTx && out.messageId == 0 && !kept.isEmpty()) {
        const FrequencyCheck again = CheckFrequency(kept, req.bandLow, req.bandHigh);
        FUZZ_CHECK(again.kind == FrequencyCheck::Valid && again.text == kept);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    InputReader in(data, size);
    static const int kBands[][2] = {{13600000, 17400000}, {40000000, 47000000}, {13000000, 16000000}};
    const int band = in.Byte() % 4;
    const int low = band < 3 ? kBands[band][0] : in.Int32();
    const int high = band < 3 ? kBands[band][1] : in.Int32();
    const bool chinese = in.Byte() & 1;

    MemoryImage image = ImageWithChannels();
    ChannelTable table;
    DecodeChannels(image, table, chinese);
    for (int i = 0; i < 64 && !in.AtEnd(); ++i) {
        CommitRequest req;
        req.row = 1 + in.Byte() % kChannelCount;
        req.col = ColRx + in.Byte() % 8;
        req.editorText = in.Text();
        req.bandLow = low;
        req.bandHigh = high;
        req.chinese = chinese;
        CommitOne(table, req);
    }
    CommitToImage(table, image);
    DecodeChannels(image, table, chinese);
    return 0;
}
