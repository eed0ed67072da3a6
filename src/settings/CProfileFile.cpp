#include "settings/CProfileFile.h"

#include "settings/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUtf8StringView>

#include <cstring>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

// Keys that start with one of these mark a comment line.
bool IsCommentStart(char c)
{
    return c == ';' || c == '/' || c == '\\' || c == '*';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Narrows [b, e) to its part without surrounding white space.
void Trim(const char *&b, const char *&e)
{
    while (b < e && IsBlank(*b))
        ++b;
    while (e > b && IsBlank(e[-1]))
        --e;
}

unsigned char FoldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool IsGbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsGbkTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Equality with ASCII letters folded. In GBK text a double-byte character is
// compared as a unit: its trail byte may be an ASCII letter and must not be
// folded. A lead byte followed by an ASCII byte never occurs in valid UTF-8,
// so valid UTF-8 text (whose multi-byte sequences hold no ASCII bytes) is
// folded byte by byte instead; otherwise a three-byte UTF-8 character would
// be paired wrongly and swallow the letter after it.
bool FoldedEqual(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = a.size();
    if (n != b.size())
        return false;
    const auto *pa = reinterpret_cast<const unsigned char *>(a.constData());
    const auto *pb = reinterpret_cast<const unsigned char *>(b.constData());
    int utf8 = -1; // unknown until the first non-ASCII byte
    for (qsizetype i = 0; i < n;) {
        const unsigned char ca = pa[i], cb = pb[i];
        if (ca < 0x80 && cb < 0x80) {
            if (ca != cb && FoldAscii(ca) != FoldAscii(cb))
                return false;
            ++i;
            continue;
        }
        if (ca != cb)
            return false;
        if (utf8 < 0)
            utf8 = QUtf8StringView(a.constData(), a.size()).isValidUtf8() ? 1 : 0;
        if (!utf8 && IsGbkLead(ca) && i + 1 < n && IsGbkTrail(pa[i + 1])) {
            if (pa[i + 1] != pb[i + 1])
                return false;
            i += 2;
        } else {
            ++i;
        }
    }
    return true;
}

QString &StoredFolder()
{
    static QString folder; // empty: the current directory at lookup time
    return folder;
}

bool HasLineBreak(const QByteArray &s) { return s.contains('\n') || s.contains('\r'); }

// True when an entry written with this section, key and value reads back as
// the same entry: key and value survive trimming, the key is not taken for a
// comment or a blank line, and no part breaks the line.
bool Representable(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    if (key.isEmpty() || key.contains('=') || key.trimmed().size() != key.size())
        return false;
    // Reading trims the blanks at both ends of a value away.
    if (value.trimmed().size() != value.size())
        return false;
    // "[a" with "b]" would be written as the section header "[a=b]".
    if (key.startsWith('[') && value.trimmed().endsWith(']'))
        return false;
    return !IsCommentStart(key[0]);
}

} // namespace

CProfileFile::~CProfileFile()
{
    if (m_saveOnClose)
        Save();
}

void CProfileFile::SetProgramPath(const QString &argv0)
{
    qsizetype cut = argv0.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    cut = std::max(cut, argv0.lastIndexOf(QLatin1Char('\\')));
#endif
    if (cut < 0) {
        StoredFolder().clear();
        return;
    }
    // Made absolute now, so a later change of the current directory does
    // not move the settings file.
    const QString folder = cut == 0 ? QStringLiteral("/") : argv0.left(cut);
    StoredFolder() = QDir(folder).absolutePath();
}

QString CProfileFile::ProgramFolder()
{
    return StoredFolder().isEmpty() ? QDir::currentPath() : StoredFolder();
}

bool CProfileFile::Load(const QByteArray &fileName, bool saveOnClose, bool caseInsensitive)
{
    QString folder = ProgramFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString beside = folder + QFile::decodeName(fileName);
    const bool loaded = LoadPath(SettingsLocation::ForReading(beside), saveOnClose, caseInsensitive);
    m_personalCopy = SettingsLocation::PersonalCopy(QFile::decodeName(fileName));
    return loaded;
}

bool CProfileFile::LoadPath(const QString &path, bool saveOnClose, bool caseInsensitive)
{
    if (IsLoaded())
        Save();
    Clear();
    m_saveOnClose = saveOnClose;
    m_caseInsensitive = caseInsensitive;

    QFile file(path);
    if (!QFileInfo::exists(path)) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        file.close();
    }
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;

    m_sections.push_back(Section{});
    Parse(content);
    // A file read only in part is never written back: its path is not kept,
    // so the store stays read-only and cannot cut the file short.
    if (!readOk)
        return false;
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

void CProfileFile::Parse(const QByteArray &content)
{
    const char *p = content.constData();
    const char *const end = p + content.size();
    if (content.startsWith(kUtf8Bom)) {
        m_utf8Bom = true;
        p += 3;
    }
    Section *current = &m_sections.front();
    while (p < end) {
        // A line ends at LF; a lone CR (old Macintosh files) ends it too. The
        // empty piece between CR and LF is a blank line and is dropped below.
        const char *eol = p;
        while (eol < end && *eol != '\n' && *eol != '\r')
            ++eol;
        const char *b = p, *e = eol;
        p = eol + 1;
        Trim(b, e);
        if (b == e)
            continue;
        if (e - b >= 2 && *b == '[' && e[-1] == ']') {
            m_sections.push_back(Section{QByteArray(b + 1, e - b - 2), {}});
            current = &m_sections.back();
            continue;
        }
        const char *eq = static_cast<const char *>(std::memchr(b, '=', e - b));
        const char *kb = b, *ke = eq ? eq : e;
        Trim(kb, ke);
        if (kb == ke || IsCommentStart(*kb))
            continue;
        const char *vb = eq ? eq + 1 : e, *ve = e;
        Trim(vb, ve);
        current->entries.push_back(Entry{QByteArray(kb, ke - kb), QByteArray(vb, ve - vb)});
    }
}

bool CProfileFile::Equal(const QByteArray &a, const QByteArray &b) const
{
    return m_caseInsensitive ? FoldedEqual(a, b) : a == b;
}

const CProfileFile::Section *CProfileFile::FindSection(const QByteArray &name) const
{
    for (const Section &s : m_sections) {
        if (Equal(s.name, name))
            return &s;
    }
    return nullptr;
}

int CProfileFile::FindEntry(const Section &s, const QByteArray &key) const
{
    for (int i = static_cast<int>(s.entries.size()) - 1; i >= 0; --i) {
        if (Equal(s.entries[i].key, key))
            return i;
    }
    return -1;
}

const QByteArray *CProfileFile::FindValue(const QByteArray &section, const QByteArray &key) const
{
    const Section *s = FindSection(section);
    if (!s)
        return nullptr;
    const int i = FindEntry(*s, key);
    return i < 0 ? nullptr : &s->entries[i].value;
}

QByteArray CProfileFile::GetString(const QByteArray &section, const QByteArray &key,
                                   const QByteArray &def) const
{
    const QByteArray *found = FindValue(section, key);
    if (!found)
        return def;
    QByteArray v = *found;
    // Trailing comments, in this order; what stood before them is kept as is.
    for (const char *mark : {"//", "\t;", "/*"}) {
        const qsizetype at = v.indexOf(mark);
        if (at >= 0)
            v.truncate(at);
    }
    return v;
}

QString CProfileFile::Text(const QByteArray &section, const QByteArray &key, const QString &def) const
{
    return FindValue(section, key) ? Decode(GetString(section, key)) : def;
}

void CProfileFile::SetString(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    if (!IsLoaded() || !Representable(section, key, value))
        return;
    Section *s = const_cast<Section *>(FindSection(section));
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
        m_dirty = true;
    }
    const int i = FindEntry(*s, key);
    if (i < 0) {
        s->entries.push_back(Entry{key, value});
        m_dirty = true;
        return;
    }
    // Under the case-insensitive option a change of letter case alone is
    // kept in memory but does not by itself cause a write.
    if (!Equal(s->entries[i].value, value))
        m_dirty = true;
    s->entries[i].value = value;
}

QByteArray CProfileFile::Serialize() const
{
    qsizetype size = m_utf8Bom ? 3 : 0;
    for (const Section &s : m_sections) {
        size += s.name.size() + 4;
        for (const Entry &e : s.entries)
            size += e.key.size() + e.value.size() + 3;
    }
    QByteArray out;
    out.reserve(size);
    if (m_utf8Bom)
        out += kUtf8Bom;
    for (const Section &s : m_sections) {
        if (!s.name.isEmpty())
            out.append('[').append(s.name).append("]\r\n");
        for (const Entry &e : s.entries) {
            out += e.key;
            if (!e.key.isEmpty())
                out += '=';
            out.append(e.value).append("\r\n");
        }
    }
    // A first key that begins with the bytes of a byte order mark would be
    // taken for one on reading and lose them; a blank line in front, which
    // reading drops, keeps the key whole.
    if (!m_utf8Bom && out.startsWith(kUtf8Bom))
        out.prepend("\r\n");
    return out;
}

bool CProfileFile::Save()
{
    if (!m_dirty)
        return true;
    if (m_path.isEmpty())
        return false;
    if (!WriteTo(m_path)) {
        // The folder of an installed program is not the user's: the change
        // goes to the per-user copy, which is read from then on.
        if (m_personalCopy.isEmpty() || m_path == m_personalCopy || SettingsLocation::CanWriteBeside(m_path))
            return false;
        if (!QDir().mkpath(QFileInfo(m_personalCopy).absolutePath()) || !WriteTo(m_personalCopy))
            return false;
        m_path = m_personalCopy;
    }
    m_dirty = false;
    return true;
}

bool CProfileFile::WriteTo(const QString &path) const
{
    // Written to a temporary file and renamed over the old one, so a failed
    // write leaves the old file whole. Only a folder that does not allow the
    // temporary file makes a writable file be written in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Serialize();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void CProfileFile::Clear()
{
    m_path.clear();
    m_personalCopy.clear();
    m_sections.clear();
    m_dirty = false;
    m_utf8Bom = false;
}

QString CProfileFile::Decode(const QByteArray &bytes)
{
    if (QUtf8StringView(bytes.constData(), bytes.size()).isValidUtf8())
        return QString::fromUtf8(bytes);
    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid())
        return gb18030.decode(bytes);
    // Without a GB18030 converter in this Qt build the bytes are shown one
    // character each, so nothing is dropped.
    return QString::fromLatin1(bytes);
}
