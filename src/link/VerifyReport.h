#pragma once
// What a verify tells the user: the differences between the image a write
// sends and the image read back from the radio (WriteDifferences), named
// the way the user sees the data. Per channel (record 16 * n or name slot
// 0x0C90 + 8 * n) one line for each grid column whose text differs, or one
// line when only bytes the grid does not show differ; per radio-wide option
// whose shown value differs, one line with its label; every other run of
// differing bytes as one memory line. Texts come from the string table and
// follow the language flag.
#include "image/MemoryImage.h"

#include <QString>
#include <QStringList>

class LanguageBundle;

namespace corvane {

// All difference lines, channels first (by number), then options (in the
// option table's order), then memory runs (by offset). Empty when the two
// images agree over the write ranges.
QStringList VerifyLines(const MemoryImage &document, const MemoryImage &radio, bool chinese,
                        const LanguageBundle &texts);

// The message: "The radio matches the document." for no lines; otherwise the
// heading, at most kVerifyShownLines lines and "and N more" for the rest.
constexpr int kVerifyShownLines = 20;
QString VerifyMessage(const QStringList &lines, const LanguageBundle &texts);

} // namespace corvane
