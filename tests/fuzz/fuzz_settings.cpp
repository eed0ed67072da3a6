// A settings file of any bytes: load, look up every key it seems to hold,
// split the band lists, change values, save and load again.
//
// The last line of the input, when it reads "section|key|value" (the value
// may hold more bars), is also stored with SetString, so the fuzzer chooses
// what a writer sets.
#include "FuzzSupport.h"

#include "image/ImagePasses.h"
#include "settings/CProfileFile.h"

#include <QFile>
#include <vector>

using namespace corvane;
using namespace corvane::fuzz;

namespace {

const QByteArray kMissing = "\x01missing";
const QByteArray kProbeSection = "FuzzProbe";

struct Lookup { QByteArray section, key; };

// The section and key of every line, by a rough reading of the format;
// misses only cost coverage, as both stores are asked the same.
std::vector<Lookup> Lookups(QByteArray text, bool &emptyHeader)
{
    std::vector<Lookup> out = {{"Setup", "Language"}, {"Setup", "AppName"}, {"Setup", "Field1"},
                               {"Setup", "Field2"}, {"English", "Company"}, {kProbeSection, "probe"}};
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QByteArray section;
    emptyHeader = false;
    for (QByteArray line : text.replace('\r', '\n').split('\n')) {
        line = line.trimmed();
        if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2);
            emptyHeader = emptyHeader || section.isEmpty();
        } else if (out.size() < 256) {
            const QByteArray key = line.left(line.indexOf('=') < 0 ? line.size() : line.indexOf('=')).trimmed();
            out.push_back({section, key});
            out.push_back({"", key});
        }
    }
    return out;
}

void CheckBandList(const QByteArray &list)
{
    for (int i = 0; i <= list.count('|') + 1; ++i) {
        const QByteArray band = SelectBandText(list, i);
        FUZZ_CHECK(!band.contains('|') && list.contains(band));
        int low = 0, high = 0;
        ScanBandEdges(band, low, high);
        FUZZ_CHECK(low >= -99999 && low <= 99999 && high >= -99999 && high <= 99999);
        ViewBandLimits(band, low, high);
        FUZZ_CHECK(band.contains('-') || low == high);
    }
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = WriteWorkFile(QStringLiteral("Program.ini"), bytes);
    bool emptyHeader = false;
    std::vector<Lookup> lookups = Lookups(bytes, emptyHeader);

    CProfileFile store;
    FUZZ_CHECK(store.LoadPath(path, false));
    for (const Lookup &l : lookups) {
        CheckBandList(store.GetString(l.section, l.key));
        store.Text(l.section, l.key);
    }
    const QByteArray last = bytes.mid(bytes.lastIndexOf('\n') + 1);
    const qsizetype bar1 = last.indexOf('|'), bar2 = last.indexOf('|', bar1 + 1);
    if (bar1 >= 0 && bar2 >= 0) {
        const QByteArray section = last.left(bar1), key = last.mid(bar1 + 1, bar2 - bar1 - 1);
        store.SetString(section, key, last.mid(bar2 + 1));
        lookups.push_back({section, key});
    }
    store.SetString("Setup", "Language", "Chinese");
    store.SetString(kProbeSection, "probe", "1");
    const bool written = store.IsDirty();
    FUZZ_CHECK(store.Save() && !store.IsDirty());
    const QByteArray saved = ReadAll(path);
    FUZZ_CHECK(written || saved == bytes);
    if (emptyHeader) // entries under "[]" join the section before on reload
        return 0;

    CProfileFile reloaded;
    FUZZ_CHECK(reloaded.LoadPath(path, false));
    for (const Lookup &l : lookups)
        FUZZ_CHECK(reloaded.GetString(l.section, l.key, kMissing) == store.GetString(l.section, l.key, kMissing));
    if (written) { // saving the store again, after a real change, gives the same bytes
        reloaded.SetString(kProbeSection, "probe", "2");
        FUZZ_CHECK(reloaded.Save());
        reloaded.SetString(kProbeSection, "probe", "1");
        FUZZ_CHECK(reloaded.Save() && ReadAll(path) == saved);
    }
    return 0;
}
