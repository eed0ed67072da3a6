#pragma once
// What the fuzz targets share. LLVMFuzzerInitialize, defined with these,
// makes a private folder for the files a target writes and points the
// per-user store (XDG_CONFIG_HOME) into it, so a fuzz run never touches the
// user's own settings.
#include "app/AppState.h"
#include "image/ChannelTable.h"
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace corvane::fuzz {

// Prints what failed and aborts, which libFuzzer and CTest both report.
[[noreturn]] void Fail(const char *what, const char *file, int line);

#define FUZZ_CHECK(cond)                                                   \
    do {                                                                   \
        if (!(cond))                                                       \
            ::corvane::fuzz::Fail(#cond, __FILE__, __LINE__);              \
    } while (0)

// Reads choices from the front of the input. Past the end every number is
// 0 and every byte string empty, so any input is a complete run.
class InputReader {
public:
    InputReader(const uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    int32_t Int32() { return static_cast<int32_t>(Word() | (static_cast<uint32_t>(Word()) << 16)); }
    QByteArray Bytes(std::size_t n);
    // A length byte, then that many bytes as UTF-8.
    QString Text() { return QString::fromUtf8(Bytes(Byte())); }
    bool AtEnd() const { return m_pos >= m_size; }

private:
    const uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A file of the private folder; WriteWorkFile writes it and gives its path.
QString WorkPath(const QString &name);
QString WriteWorkFile(const QString &name, const QByteArray &bytes);

// Process state with the shipped settings, in English or Chinese; read-only.
const AppState &App(bool chinese);

// A new image holding a few channels inside the first band of type 1
// (136-174 MHz), with tones, power, flags and names of every kind.
MemoryImage ImageWithChannels();

// Whether the row, or every row but `except` (0: none), holds the same texts.
bool SameRow(const ChannelTable &a, const ChannelTable &b, int row);
bool SameRows(const ChannelTable &a, const ChannelTable &b, int except = 0);

// True when the bytes outside [begin, end) ranges are equal.
bool EqualOutside(const MemoryImage &a, const MemoryImage &b, std::initializer_list<std::pair<int, int>> ranges);

} // namespace corvane::fuzz
