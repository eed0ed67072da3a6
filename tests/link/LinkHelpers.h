#pragma once
// Helpers shared by the link tests: images, files, corvane-cli as a process.
#include "image/ChannelTable.h"
#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "link/Protocol.h"
#include "settings/CProfileFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace corvane::test {

inline const QString kCli = QStringLiteral(CORVANE_BIN_DIR "/corvane-cli");

// A radio memory unlike a new image: every byte depends on its offset.
inline MemoryImage PatternImage(int seed = 1)
{
    MemoryImage m;
    for (int i = 0; i < kImageSize; ++i)
        m[i] = static_cast<uint8_t>((i * 7 + seed * 13 + (i >> 8)) & 0xFF);
    return m;
}

// A new image with these channels (grid row 1 is Pr): rx as both
// frequencies, no codes, high power, locked, scanned, and the name.
inline MemoryImage ChannelImage(const std::vector<std::tuple<int, const char *, const char *>> &rows)
{
    MemoryImage m = MemoryImage::newImage();
    ChannelTable t;
    for (const auto &[row, rx, name] : rows) {
        t.cell(row, ColRx) = t.cell(row, ColTx) = QString::fromLatin1(rx);
        t.cell(row, ColDecode) = t.cell(row, ColEncode) = "None";
        t.cell(row, ColPower) = "High";
        t.cell(row, ColLock) = "Lock";
        t.cell(row, ColScan) = "Yes";
        t.cell(row, ColName) = QString::fromLatin1(name);
    }
    CommitToImage(t, m);
    return m;
}

inline QByteArray Bytes(const MemoryImage &m) { return {reinterpret_cast<const char *>(m.data()), kImageSize}; }

inline QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// True when radio holds image at every byte a write sends.
inline bool HoldsSentRanges(const MemoryImage &radio, const MemoryImage &image)
{
    for (int offset = 0; offset < kImageSize; ++offset)
        if (Proto::WriteSends(offset) && radio[offset] != image[offset])
            return false;
    return true;
}

inline bool LoadSettings(CProfileFile &settings, const QTemporaryDir &dir, const QByteArray &text)
{
    return WriteFile(dir.filePath("Program.ini"), text) && settings.LoadPath(dir.filePath("Program.ini"), false);
}

struct CliRun {
    int status;
    QString out, err;
};

inline CliRun Cli(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(kCli, args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// `corvane-cli simulate` serving count radios (paths), stopped when destroyed.
class Simulator {
public:
    explicit Simulator(const QStringList &options, int count = 1)
    {
        m_process.start(kCli, QStringList{"simulate", "--count", QString::number(count)} + options);
        while (paths.size() < count && (m_process.canReadLine() || m_process.waitForReadyRead(10000)))
            while (m_process.canReadLine())
                paths << QString::fromLocal8Bit(m_process.readLine()).trimmed();
        path = paths.value(0);
    }
    ~Simulator() { Stop(); }
    int Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
        return m_process.exitCode();
    }

    QStringList paths;
    QString path;

private:
    QProcess m_process;
};

class TempFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QByteArray Read(const QString &name) const { return FileBytes(Path(name)); }
    QString Save(const QString &name, const MemoryImage &m) const
    {
        EXPECT_TRUE(SaveImageFile(Path(name), m).ok()) << name.toStdString();
        return Path(name);
    }
    MemoryImage Load(const QString &name) const
    {
        MemoryImage m;
        EXPECT_TRUE(LoadImageFile(Path(name), m).ok()) << name.toStdString();
        return m;
    }
    // The program's Program.ini with a [Ports] section of these lines.
    QString Settings(const QByteArray &ports) const
    {
        EXPECT_TRUE(WriteFile(Path("Program.ini"), FileBytes(CORVANE_BIN_DIR "/Program.ini") + "\r\n[Ports]\r\n" + ports + "\r\n"));
        return Path("Program.ini");
    }

    QTemporaryDir dir;
};

} // namespace corvane::test
