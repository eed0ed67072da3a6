#include "image/ImagePasses.h"

#include "app/AppState.h"
#include "image/Codecs.h"
#include "settings/UserStore.h"

#include <climits>

namespace corvane {

namespace {

// Band edges are whole MHz; anything beyond this is nonsense and is clamped
// so the arithmetic below cannot overflow.
constexpr long kEdgeLimit = 99999;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// "%d" of sscanf: blanks, optional sign, at least one digit. Advances pos.
bool ScanInt(const QByteArray &s, int &pos, int &value)
{
    int p = pos;
    while (p < s.size() && IsBlank(s[p]))
        ++p;
    bool negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+'))
        negative = s[p++] == '-';
    if (p >= s.size() || s[p] < '0' || s[p] > '9')
        return false;
    long v = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p)
        v = std::min(v * 10 + (s[p] - '0'), kEdgeLimit);
    value = static_cast<int>(negative ? -v : v);
    pos = p;
    return true;
}

int LimitUnits(const QByteArray &text)
{
    const long long mhz = ParseInteger(QString::fromLatin1(text));
    const long long units = mhz * 100000LL;
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, units)));
}

QByteArray BandList(const AppState &app, int type)
{
    return app.settings.GetString("Setup", "Field" + QByteArray::number(type + 1));
}

// New document: the stored pair into the image (0, 0 when it is missing or
// unknown). Otherwise the image's pair into the store when it is known.
void ExchangeWithStore(MemoryImage &image, const AppState &app, bool known)
{
    UserStore store(CProfileFile::Decode(app.RegistryName()));
    if (app.newDocument) {
        uint32_t type = 0, field = 0;
        if (!store.ReadNumber(QStringLiteral("Type"), type))
            type = 0;
        if (!store.ReadNumber(QStringLiteral("Field"), field))
            field = 0;
        type &= 0xFF;
        field &= 0xFF;
        if (!BandKnown(app, static_cast<int>(type), static_cast<int>(field)))
            type = field = 0;
        image.setOption(Off::radioType, static_cast<uint8_t>(type));
        image.setOption(Off::bandIndex, static_cast<uint8_t>(field));
    } else if (known) {
        store.WriteNumber(QStringLiteral("Type"), image.option(Off::radioType));
        store.WriteNumber(QStringLiteral("Field"), image.option(Off::bandIndex));
    }
}

} // namespace

void DecodeRecord(const MemoryImage &image, int n, ChannelTable &table, bool chinese)
{
    const int row = n + 1;
    const uint8_t *rec = image.record(n);
    if (MemoryImage::isEmptyChannel(rec)) {
        table.clearRow(row);
        return;
    }
    table.cell(row, ColRx) = DecodeFrequency(rec + Rec::rxFreq);
    table.cell(row, ColTx) = MemoryImage::hasNoTxFrequency(rec) ? QString() : DecodeFrequency(rec + Rec::txFreq);
    table.cell(row, ColDecode) = DecodeTone(rec[Rec::rxToneKind], rec[Rec::rxToneLow], chinese);
    table.cell(row, ColEncode) = DecodeTone(rec[Rec::txToneKind], rec[Rec::txToneLow], chinese);
    table.cell(row, ColPower) = DecodePower(rec[Rec::chanFlags], chinese);
    table.cell(row, ColLock) = DecodeLock(rec[Rec::chanFlags], chinese);
    table.cell(row, ColScan) = DecodeScan(rec[Rec::chanFlags], chinese);
    table.cell(row, ColName) = DecodeName(image.nameSlot(n));
}

void DecodeChannels(const MemoryImage &image, ChannelTable &table, bool chinese)
{
    for (int n = 0; n < kChannelCount; ++n)
        DecodeRecord(image, n, table, chinese);
}

QByteArray SelectBandText(const QByteArray &bandList, int index)
{
    QByteArray rest = bandList;
    for (int i = 0;; ++i) {
        const int bar = rest.indexOf('|');
        if (bar < 0)
            return rest;
        if (i == index)
            return rest.left(bar);
        rest = rest.mid(bar + 1);
    }
}

void ScanBandEdges(const QByteArray &bandText, int &low, int &high)
{
    low = high = 0;
    int pos = 0;
    if (!ScanInt(bandText, pos, low))
        return;
    if (pos < bandText.size() && bandText[pos] == '-') {
        ++pos;
        ScanInt(bandText, pos, high);
    }
}

void ViewBandLimits(const QByteArray &bandText, int &low, int &high)
{
    low = LimitUnits(bandText);
    const int dash = bandText.indexOf('-');
    high = LimitUnits(dash < 0 ? bandText : bandText.mid(dash + 1));
}

bool BandKnown(const AppState &app, int type, int band)
{
    const QByteArray list = BandList(app, type);
    return !list.isEmpty() && band >= 0 && band <= list.count('|');
}

QByteArray BandTextForImage(const MemoryImage &image, const AppState &app)
{
    return SelectBandText(BandList(app, image.option(Off::radioType)), image.option(Off::bandIndex));
}

RefreshOutcome RefreshFromImage(MemoryImage &image, ChannelTable &table, const AppState &app,
                                bool exchangeWithStore)
{
    DecodeChannels(image, table, app.chinese);
    RefreshOutcome out;
    out.unknownBand = !app.newDocument &&
                      !BandKnown(app, image.option(Off::radioType), image.option(Off::bandIndex));
    if (exchangeWithStore)
        ExchangeWithStore(image, app, !out.unknownBand);

    const QByteArray band = BandTextForImage(image, app);
    if (!out.unknownBand) {
        int low = 0, high = 0;
        ScanBandEdges(band, low, high);
        image.setBandLimits(low, high);
    }

    out.caption = app.LanguageText("AppName");
    out.bandText = CProfileFile::Decode(band);
    ViewBandLimits(band, out.bandLow, out.bandHigh);
    return out;
}

void EncodeRecord(const ChannelTable &table, int n, MemoryImage &image)
{
    const int row = n + 1;
    uint8_t *rec = image.record(n);
    if (table.cell(row, ColRx).isEmpty()) {
        std::fill(rec, rec + kRecordSize, 0xFF);
        return;
    }
    EncodeFrequency(table.cell(row, ColRx), rec + Rec::rxFreq);
    EncodeFrequency(table.cell(row, ColTx), rec + Rec::txFreq);
    EncodeTone(table.cell(row, ColDecode), rec[Rec::rxToneKind], rec[Rec::rxToneLow]);
    EncodeTone(table.cell(row, ColEncode), rec[Rec::txToneKind], rec[Rec::txToneLow]);
    uint8_t flags = rec[Rec::chanFlags];
    flags = EncodePower(table.cell(row, ColPower), flags);
    flags = EncodeLock(table.cell(row, ColLock), flags);
    flags = EncodeScan(table.cell(row, ColScan), flags);
    rec[Rec::chanFlags] = flags;
    EncodeName(table.cell(row, ColName), image.nameSlot(n));
}

void CommitToImage(const ChannelTable &table, MemoryImage &image)
{
    for (int n = 0; n < kChannelCount; ++n)
        EncodeRecord(table, n, image);
}

} // namespace corvane
