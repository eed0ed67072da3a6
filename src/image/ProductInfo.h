#pragma once
// Radio type and frequency band as the Product Information dialog shows
// and applies them. The type names are "Setup"/"Type1".."Type19" of the
// settings (the first empty one ends the list); the band list of type t is
// "Setup"/"Field<t + 1>", band texts separated by "|". The per-user store
// keeps the pair as the numbers "Type" and "Field" (0-based indexes).
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

class CProfileFile;
struct AppState;

namespace corvane {

constexpr int kMaxRadioTypes = 19;

// The Type list: the values of Type1..Type19 up to the first empty one.
QList<QByteArray> RadioTypeNames(const CProfileFile &settings);

// The Frequency list of type `typeIndex`: its band list cut at every "|",
// the piece after the last bar included even when empty, so an empty or
// missing list gives one empty entry. Type -1 reads "Field0".
QList<QByteArray> BandEntries(const CProfileFile &settings, int typeIndex);

// The per-user pair; a missing or unreadable value counts as 0.
void ReadStoredProduct(const AppState &app, uint32_t &type, uint32_t &field);

// What OK applies: the selection indexes (-1: none) and the texts shown.
struct ProductChoice {
    int typeIndex = -1;
    int bandIndex = -1;
    QByteArray typeText;
    QByteArray bandText;
};

struct ProductOutcome {
    bool applied = false;  // false: nothing was changed anywhere
    QString caption;       // "<AppName>  [ Type:<type>  Fre:<band> ]"
    int bandLow = 0;       // view band limits, units of 10 Hz, inclusive
    int bandHigh = 0;
};

// The caption: the language section's "AppName", then the type and band.
QString ProductCaption(const AppState &app, const QString &typeText, const QString &bandText);

// The dialog's OK: radioType and bandIndex take the indexes (low 8 bits),
// bandLimits the edges of the band text ("%d-%dMHz", the upper one stored
// less one), the per-user store the pair; returns the caption and the
// view's band limits (atoi rules) for the caller to apply. Nothing else of
// the image is written. A choice without a type or without a band changes
// nothing (applied false): the lists cannot be changed in the dialog, so
// such a choice only means the stored pair names no configured band, and
// writing it would leave the radio with no valid frequency at all.
ProductOutcome ApplyProductChoice(const ProductChoice &choice, MemoryImage &image, const AppState &app);

} // namespace corvane
