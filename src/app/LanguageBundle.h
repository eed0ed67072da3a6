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
    // Registers folder/<language>.rcc. False when the file is missing,
    // unreadable or not a resource bundle (also for an empty name).
    bool Load(const QString &folder, const QString &language);
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // String-table text, or an empty text for an unknown id.
    QString String(int id) const;
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
} // namespace Ids
