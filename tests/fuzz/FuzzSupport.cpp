#include "FuzzSupport.h"

#include "image/Codecs.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corvane::fuzz {

namespace {

// Saves are synced to disk: on a memory file system that costs nothing,
// which keeps the fuzzer fast.
QTemporaryDir &Folder()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    static QTemporaryDir dir((shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath())
                             + QStringLiteral("/corvane-fuzz-XXXXXX"));
    return dir;
}

} // namespace

void Fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::fflush(stderr);
    std::abort();
}

QByteArray InputReader::Bytes(std::size_t n)
{
    n = std::min(n, m_size - std::min(m_pos, m_size));
    const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), static_cast<qsizetype>(n));
    m_pos += n;
    return out;
}

QString WorkPath(const QString &name)
{
    return Folder().filePath(name);
}

QString WriteWorkFile(const QString &name, const QByteArray &bytes)
{
    const QString path = WorkPath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        Fail("a work file can be written", __FILE__, __LINE__);
    return path;
}

const AppState &App(bool chinese)
{
    static AppState states[2];
    AppState &app = states[chinese ? 1 : 0];
    if (!app.settings.IsLoaded()) {
        // Loaded from the source tree without saving; nothing writes it.
        if (!app.settings.LoadPath(QStringLiteral(CORVANE_SOURCE_DIR "/resources/Program.ini"), false))
            Fail("the shipped settings load", __FILE__, __LINE__);
        app.ApplyLanguage(chinese ? "Chinese" : "English");
    }
    return app;
}

MemoryImage ImageWithChannels()
{
    struct Row { int row; const char *rx, *tx; int decode, encode; const BiText &power, &lock, &scan; const char *name; };
    const Row rows[] = {
        {1, "145.01250", "145.61250", 8, 0, Txt::High, Txt::Lock, Txt::Yes, "CALL"},
        {2, "136.00000", "", 51, 200, Txt::Middle, Txt::Unlock, Txt::No, ""},
        {3, "173.99375", "150.00000", 50, 50, Txt::Low, Txt::Lock, Txt::No, "A-1_Z9"},
        {200, "146.52000", "146.52000", 0, 156, Txt::High, Txt::Unlock, Txt::Yes, "LAST"},
    };
    MemoryImage image = MemoryImage::newImage();
    ChannelTable table;
    for (const Row &r : rows) {
        const QString texts[] = {QLatin1String(r.rx), QLatin1String(r.tx), ToneList(false).at(r.decode),
                                 ToneList(false).at(r.encode), r.power.text(false), r.lock.text(false),
                                 r.scan.text(false), QLatin1String(r.name)};
        for (int col = ColRx; col <= ColName; ++col)
            table.cell(r.row, col) = texts[col - 1];
    }
    CommitToImage(table, image);
    return image;
}

bool SameRow(const ChannelTable &a, const ChannelTable &b, int row)
{
    for (int col = ColRx; col <= ColName; ++col)
        if (a.cell(row, col) != b.cell(row, col))
            return false;
    return true;
}

bool SameRows(const ChannelTable &a, const ChannelTable &b, int except)
{
    for (int row = 1; row <= kChannelCount; ++row)
        if (row != except && !SameRow(a, b, row))
            return false;
    return true;
}

bool EqualOutside(const MemoryImage &a, const MemoryImage &b, std::initializer_list<std::pair<int, int>> ranges)
{
    MemoryImage masked = b;
    for (const auto &r : ranges)
        std::memcpy(masked.data() + r.first, a.data() + r.first, static_cast<std::size_t>(r.second - r.first));
    return masked == a;
}

} // namespace corvane::fuzz

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    using namespace corvane::fuzz;
    if (!Folder().isValid())
        Fail("a private temporary folder can be made", __FILE__, __LINE__);
    const QString config = Folder().filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    return 0;
}
