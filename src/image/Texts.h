#pragma once
// Fixed texts that exist in an English and a Chinese form, defined once and
// read by the codecs, the grid, its editors, printing, the command line and
// the tests.
#include <QString>
#include <QStringList>

namespace corvane {

class BiText {
public:
    BiText(const char *english, const char *chineseUtf8)
        : m_english(QString::fromLatin1(english)), m_chinese(QString::fromUtf8(chineseUtf8)) {}
    const QString &text(bool chinese) const { return chinese ? m_chinese : m_english; }
    bool matches(const QString &t) const { return t == m_english || t == m_chinese; } // either form, exact

private:
    QString m_english;
    QString m_chinese;
};

namespace Txt {
extern const BiText None, Low, Middle, High, Unlock, Lock, No, Yes;
extern const BiText ChannelTitle;        // document title "Channel Information"
extern const BiText ReadData, WriteData; // progress dialog captions
extern const BiText LoadLanguageFail;    // "Load language DLL fail"
extern const BiText LanguageFileLookedFor; // its second line: %1 the bundle's path
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
