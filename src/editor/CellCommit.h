#pragma once
// The rules that move the text of an open in-cell editor into the channel
// table when a cell is left: frequency parse, band and raster checks,
// new-channel defaults and erasing. Changes table cells only, never the
// image. A rejected frequency is reported as a message id (61448 out of
// range, 61456 off the channel raster) and leaves the row exactly as it
// was; the grid asks PreviewCommit first so that it can show the message
// before CommitCell runs.
#include "image/ChannelTable.h"

#include <QString>

class LanguageBundle;

namespace corvane {

// The frequencies a channel can hold, in 10 Hz units: 0 reads back as an
// empty channel and the image's BCD holds eight digits.
constexpr int kLowestUnits = 1;
constexpr int kHighestUnits = 99999999;

struct FrequencyCheck {
    enum Kind { Valid, OutOfRange, StepError } kind = Valid;
    QString text;   // "%3.5f" MHz of units
    int units = 0;  // 10 Hz units, truncated toward zero
};

// v = leading number of t, where a comma directly after the whole digits
// counts as the decimal point ("146,5125" is 146.5125); f =
// DecimalMultiply(v, 100000) truncated. Out of range when f < low or
// f > high (both inclusive) or outside kLowestUnits..kHighestUnits, so a
// band of 0 - 0 (a radio type without a band) refuses every frequency; step
// error when f is a multiple of neither 250 nor 625.
FrequencyCheck CheckFrequency(const QString &text, int bandLow, int bandHigh);

// True when the band limits leave at least one frequency to accept.
bool BandAcceptsAny(int bandLow, int bandHigh);

// The message of a rejected frequency: the string-table text of messageId
// (61448 or 61456) as its first line, and a second line that helps: the
// band limits ("Band: 130.00000 – 160.00000 MHz"), the note that the radio
// type has no band, or the allowed channel steps.
QString RejectionMessage(int messageId, int bandLow, int bandHigh, const LanguageBundle &strings);

struct CommitRequest {
    int row = 1;          // grid row 1..200
    int col = 1;          // grid column 1..8
    QString editorText;   // the edit text or the selected list item
    int bandLow = 0;
    int bandHigh = 0;
    bool chinese = false; // language of the new-channel defaults
};

struct CommitOutcome {
    int messageId = 0;           // 0, 61448 (out of range) or 61456 (step)
    bool changed = false;        // CommitCell changed a cell of the row
    bool rejectedFrequency() const { return messageId != 0; }
};

// The message the commit of req will show, without changing anything, so
// the caller can show it before the cells change.
CommitOutcome PreviewCommit(const ChannelTable &table, const CommitRequest &req);

// Applies the commit of a visible editor to the table: an empty receive
// text erases the channel, a rejected frequency changes nothing.
CommitOutcome CommitCell(ChannelTable &table, const CommitRequest &req);

} // namespace corvane
