#pragma once
// Fixed texts that exist in an English and a Chinese form, defined once and
// read by the codecs, the grid, its editors, printing, the command line and
// the tests.
#include <QString>
#include <QStringList>

namespace corvane {

struct BiText {
    const char *english;
    const char *chinese; // UTF-8
    QString text(bool chinese) const;
    bool matches(const QString &t) const; // either form, exact
};

namespace Txt {
extern const BiText None, Low, Middle, High, Unlock, Lock, No, Yes;
extern const BiText ChannelTitle;        // document title "Channel Information"
extern const BiText ReadData, WriteData; // progress dialog captions
extern const BiText LoadLanguageFail;    // "Load language DLL fail"
} // namespace Txt

// Grid headings, columns 0 ("CH") to 8 ("Cha Name").
const BiText &ColumnHeading(int col);
QStringList ColumnHeadings(bool chinese);

// Items of the in-cell list editors, in list order.
QStringList PowerItems(bool chinese);  // High, Middle, Low
QStringList LockItems(bool chinese);   // Lock, Unlock
QStringList ScanItems(bool chinese);   // Yes, No

// Grid row label: "Pr" for row 1, "%3d" of row - 1 for rows 2-200.
QString RowLabel(int gridRow);

} // namespace corvane
