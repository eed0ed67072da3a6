#pragma once
// The settings file "Program.ini": an INI-style text read into memory,
// looked up by section and key, changed, and written back when dirty.
// Everything is kept as bytes exactly as the file holds them (UTF-8 or
// GBK); Text() decodes a value for display (UTF-8 when valid, else GB18030).
// Lines are written with CR LF; comments and blank lines are not kept.
#include <QByteArray>
#include <QString>
#include <vector>

class CProfileFile {
public:
    CProfileFile() = default;
    ~CProfileFile();                 // saves first when save-on-close is set
    CProfileFile(const CProfileFile &) = delete;
    CProfileFile &operator=(const CProfileFile &) = delete;

    // Folder the settings file is looked for in: the folder of argument
    // zero, else the current directory. Set once from main().
    static void SetProgramPath(const QString &argv0);
    static QString ProgramFolder();

    // Locates fileName beside the program (creating an empty file when none
    // exists) and reads it. False when the file cannot be opened or read.
    // Where the program's folder cannot be written (an installed program),
    // the per-user copy is read once it exists, and Save writes that copy
    // (SettingsLocation).
    bool Load(const QByteArray &fileName, bool saveOnClose, bool caseInsensitive = true);
    // Same, with a full path instead of a name to locate.
    bool LoadPath(const QString &path, bool saveOnClose, bool caseInsensitive = true);

    // Value with trailing comments cut ("//", tab + ";", "/*"), or def.
    QByteArray GetString(const QByteArray &section, const QByteArray &key,
                         const QByteArray &def = QByteArray()) const;
    // GetString decoded for display.
    QString Text(const QByteArray &section, const QByteArray &key, const QString &def = QString()) const;
    // Sets a value, creating section and entry as needed; dirty when
    // anything changed. Ignored while nothing is loaded, and for an entry the
    // file could not read back as written (a line break anywhere; a key that
    // is empty, holds "=", has blanks at its ends or starts a comment; a
    // value with blanks at its ends).
    void SetString(const QByteArray &section, const QByteArray &key, const QByteArray &value);
    // Writes the file when dirty, replacing it atomically (in place only when
    // the file may be written but its folder not). True when nothing needed
    // writing; false when the write failed (the old file is intact). A file
    // found by Load that cannot be written at all is saved as the per-user
    // copy instead, which Path() then names.
    bool Save();
    void Clear();

    bool IsDirty() const { return m_dirty; }
    bool IsLoaded() const { return !m_path.isEmpty(); }
    QString Path() const { return m_path; }

    // Decodes bytes as UTF-8 when valid, else as GB18030.
    static QString Decode(const QByteArray &bytes);

private:
    struct Entry { QByteArray key, value; };
    struct Section { QByteArray name; std::vector<Entry> entries; };

    bool Equal(const QByteArray &a, const QByteArray &b) const;
    const Section *FindSection(const QByteArray &name) const;
    // Index of the last entry of s whose key equals key, or -1.
    int FindEntry(const Section &s, const QByteArray &key) const;
    const QByteArray *FindValue(const QByteArray &section, const QByteArray &key) const;
    void Parse(const QByteArray &content);
    QByteArray Serialize() const;
    bool WriteTo(const QString &path) const;

    QString m_path;
    QString m_personalCopy;          // where Save goes when m_path's folder is not writable
    std::vector<Section> m_sections;
    bool m_dirty = false;
    bool m_saveOnClose = false;
    bool m_caseInsensitive = true;
    bool m_utf8Bom = false;          // the file began with a UTF-8 byte order mark
};
