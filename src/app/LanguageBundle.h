#pragma once
// The language bundle "<Language>.rcc" beside the executable: a Qt binary
// resource holding the string table, menus, dialog texts, list items and
// images of one language under the program's numeric identifiers. Once
// loaded, its files are found under ":/lang/".
//
// strings.txt: one entry a line, "<id><TAB><text>", UTF-8, with "\n" and
// "\t" escapes. Other files are read by the widget layers by path.
#include <QHash>
#include <QString>

class LanguageBundle {
public:
    LanguageBundle() = default;
    ~LanguageBundle() { Unload(); }
    LanguageBundle(const LanguageBundle &) = delete;
    LanguageBundle &operator=(const LanguageBundle &) = delete;

    // Registers folder/<language>.rcc. The name is matched exactly first,
    // then without regard to letter case (a settings file may say
    // "chinese"). False when the file is missing, unreadable or not a
    // resource bundle (also for an empty name).
    bool Load(const QString &folder, const QString &language);
    // The file Load looks for: folder/<language>.rcc, or a file of that name
    // in other letter case when only such a file exists.
    static QString FileFor(const QString &folder, const QString &language);
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // String-table text, or an empty text for an unknown id.
    QString String(int id) const;
    // Command prompt of a string-table entry "prompt\ntooltip".
    QString Prompt(int id) const { return String(id).section(QLatin1Char('\n'), 0, 0); }
    QString ToolTip(int id) const { return String(id).section(QLatin1Char('\n'), 1, 1); }
    // Raw bytes of a bundle file; empty when the file is missing.
    QByteArray File(const QString &name) const;
    // Path of a bundle file, ":/lang/" + name.
    static QString PathOf(const QString &name);

private:
    QString m_file;
    bool m_loaded = false;
    QHash<int, QString> m_strings;
};

// String-table ids used across the program.
namespace Ids {
constexpr int OutOfRange = 61448;
constexpr int CommError = 61451;
constexpr int AllDataCleared = 61452;
constexpr int PortOpenFail = 61453;
constexpr int ProgramInterrupt = 61454;
constexpr int StepError = 61456;
constexpr int Caution = 61458;
constexpr int AppTitle = 128;         // first title of the main window
constexpr int DocTemplate = 129;      // "\n\n\n*.dat\n.dat\n..." (filter, extension)
constexpr int IdleMessage = 57345;    // status bar message pane at rest
constexpr int IndicatorCaps = 59137;
constexpr int IndicatorNum = 59138;
constexpr int IndicatorScroll = 59139;
constexpr int NavClose = 61460;       // tooltip of the navigation bar's close button
constexpr int OpenNotImage = 61700;   // %1 file name: shorter than an image
constexpr int OpenUnreadable = 61701; // %1 file name
constexpr int SaveFailed = 61702;     // %1 file name
constexpr int LanguageNotSaved = 61703;
constexpr int OpenTitle = 61704;      // file dialog titles
constexpr int SaveAsTitle = 61705;
constexpr int SaveChanges = 61710;    // %1 document title: Save / Discard / Cancel
constexpr int ButtonSave = 61711;     // message-box button texts
constexpr int ButtonDiscard = 61712;
constexpr int ButtonCancel = 61713;
constexpr int ButtonOk = 61714;
constexpr int ButtonYes = 61715;
constexpr int ButtonNo = 61716;
constexpr int ReplaceFile = 61717;    // %1 file name
constexpr int SaveFirst = 61718;      // %1 document title, after "All data will be Cleared!"
constexpr int UnknownBand = 61719;    // %1 type, %2 band, both counted from 1
constexpr int RangeDetail = 61770;    // second line of 61448: %1 lowest, %2 highest MHz text
constexpr int StepDetail = 61771;     // second line of 61456: the allowed channel steps
constexpr int NoBand = 61772;         // second line of 61448 when the radio type has no band
constexpr int FileFilterName = 61773; // name of the "*.dat" filter of the file dialogs
constexpr int ImportCsvTitle = 61790; // file dialog titles
constexpr int ExportCsvTitle = 61791;
constexpr int CsvFilterTable = 61792; // export filters: the two layouts
constexpr int CsvFilterCommon = 61793;
constexpr int CsvFilterImport = 61794; // import filters: CSV, any file
constexpr int CsvFilterAny = 61795;
constexpr int ImportRefused = 61796;  // %1 file name; above the list of problems
constexpr int PasteRefused = 61797;   // above the list of problems
constexpr int Imported = 61798;       // %1 file name, %2 rows changed
constexpr int Exported = 61799;       // %1 file name
constexpr int HelpNoBrowser = 61830;  // %1 path of the manual page
constexpr int HelpMissing = 61831;    // %1 the folders looked in
} // namespace Ids
