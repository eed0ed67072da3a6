#pragma once
// The seventeen radio-wide options of the Optional Features dialog: label,
// control id, list items (English and Chinese) and how an index maps to
// bits of the option block. Read by the dialog, by printing, by the command
// line and by the tests; the language bundles' dialog 132 carries the same
// labels and lists (a test compares them).
#include "image/MemoryImage.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane {

enum class OptionKind {
    CheckBit,      // Beep: bit set = ticked
    WholeByte,     // index = byte & readMask, byte = index & writeMask
    CallKey,       // index = byte (item 0 when beyond the list), byte = index
    InvertedBit,   // bit clear = index 1 "On"
    Bit,           // bit set = index 1
    BitPair        // 00 -> 0, 01 -> 1, 10/11 -> 2; 0 -> 00, 1 -> 01, other -> 10
};

struct OptionField {
    const char *label;   // English label: "Beep", "Squelch Level", ...
    const char *labelZh; // Chinese label as the Chinese dialog shows it (UTF-8)
    int controlId;
    int offset;          // option byte
    OptionKind kind;
    int readMask;        // WholeByte
    int writeMask;       // WholeByte
    int shift;           // Bit / InvertedBit / BitPair: lowest bit
    QStringList items;   // English items in list order (empty for Beep)
    QStringList itemsZh; // the same items as the Chinese dialog lists them
    // Bit / InvertedBit / BitPair / CallKey: an index the list does not hold
    // (-1 = no selection) is written as this index. Channel Display writes
    // it as "Off", Busy as "On", the other bits as set, the pairs as 10 and
    // Call Key Define as 0. WholeByte fields store index & writeMask instead.
    int otherIndexAs;

    QString Label(bool chinese) const;
    // The list items in the language (Call Key Define included).
    const QStringList &Items(bool chinese) const { return chinese ? itemsZh : items; }
};

// In the order of the dialog's table, Beep first, Call Key Define last.
const std::vector<OptionField> &OptionFields();
// The Call Key Define items in the current language.
QStringList CallKeyItems(bool chinese);
// "On" / "Off" of the Beep check box in the language ("开" / "关").
QString CheckText(bool ticked, bool chinese);
// The field whose English or Chinese label is `label` (exact), or nullptr.
const OptionField *FindOption(const QString &label);

// List index the dialog shows for the stored byte: -1 means no selection
// (Beep: 1 ticked, 0 not ticked).
int OptionIndexFromImage(const OptionField &f, const MemoryImage &image);
// Writes index (-1: no selection) back as the dialog's OK does. Whole-byte
// fields replace the byte; bit fields change only their own bits. Beep:
// index >= 1 ticks (sets bit 0), anything else clears it.
void OptionIndexToImage(const OptionField &f, int index, MemoryImage &image);
// The text the dialog shows, in its language: "On"/"Off" ("开"/"关") for
// Beep; empty for no selection (Call Key Define shows its item 0 then).
QString OptionValueText(const OptionField &f, const MemoryImage &image, bool chinese);

// OK writes the fields in this order of labels.
const QStringList &OptionWriteOrder();

} // namespace corvane
