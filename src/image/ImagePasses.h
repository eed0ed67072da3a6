#pragma once
// The two passes between the whole memory image and the channel table.
//
// RefreshFromImage decodes all 200 records into the table and, in the same
// pass, settles radio type and band with the per-user store (new document:
// store -> image; otherwise image -> store), rebuilds bandLimits from the
// band text of the settings, and yields the caption and the view's band
// limits for the caller to apply.
//
// Only a type and band that the settings know travel through the store: an
// opened image whose pair is unknown stores nothing and keeps all its bytes
// (bandLimits included), and a stored pair that is unknown gives a new
// document type 0, band 0. So one foreign file cannot spoil later sessions.
//
// CommitToImage encodes the table back into the channel records and name
// slots; the caller completes any pending cell edit first. Nothing outside
// the channel and name areas is written.
#include "image/ChannelTable.h"
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QString>

struct AppState;

namespace corvane {

struct RefreshOutcome {
    QString caption;   // language section "AppName"
    QString bandText;  // the selected band text
    int bandLow = 0;   // view band limits, units of 10 Hz, inclusive
    int bandHigh = 0;
    // An opened image whose radioType/bandIndex the settings do not know:
    // nothing was stored and the image was left as it was.
    bool unknownBand = false;
};

// Channel rows only (step 1), for callers that must not touch the store.
void DecodeChannels(const MemoryImage &image, ChannelTable &table, bool chinese);
// Table row n + 1 from record n and name slot n (n = 0..199).
void DecodeRecord(const MemoryImage &image, int n, ChannelTable &table, bool chinese);

// Band text number `index` of a "|"-separated list; an index past the end
// selects the last text.
QByteArray SelectBandText(const QByteArray &bandList, int index);
// L and H by "%d-%dMHz" (unread numbers are 0).
void ScanBandEdges(const QByteArray &bandText, int &low, int &high);
// View limits: leading integer and the integer after the first '-' (atoi
// rules), times 100000. Without '-', the high limit is read from the start.
void ViewBandLimits(const QByteArray &bandText, int &low, int &high);

// True when "Setup"/"Field<type + 1>" holds a band list with a band text
// number `band` (counting from 0).
bool BandKnown(const AppState &app, int type, int band);

// The band text of the image's radioType and bandIndex: key
// "Field<radioType + 1>" of section "Setup", piece number bandIndex.
QByteArray BandTextForImage(const MemoryImage &image, const AppState &app);

// The whole refresh. Uses app.settings, app.newDocument, app.chinese and
// the per-user store named by "Setup"/"AppName"; does not set the caption
// on app (the caller does, through AppState::SetCaption). With
// exchangeWithStore false the per-user store is neither read nor written
// and the image keeps its own type and band (the command line uses this).
RefreshOutcome RefreshFromImage(MemoryImage &image, ChannelTable &table, const AppState &app,
                                bool exchangeWithStore = true);

void CommitToImage(const ChannelTable &table, MemoryImage &image);
// Table row n + 1 into record n and name slot n, as CommitToImage does.
void EncodeRecord(const ChannelTable &table, int n, MemoryImage &image);

} // namespace corvane
