#pragma once
// The radio's whole programmable memory: 8192 bytes, offsets 0x0000-0x1FFF,
// laid out exactly as the radio stores them. Files and the serial link carry
// it in offset order. Row r of the 512 x 16 view holds offsets 16r..16r+15.
#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

constexpr int kImageSize = 8192;
constexpr int kRowCount = 512;
constexpr int kRowWidth = 16;
constexpr int kChannelCount = 200;
constexpr int kRecordSize = 16;
constexpr int kNameAreaStart = 0x0C90;
constexpr int kNameSlotSize = 8;

// Option block and band edges.
namespace Off {
constexpr int beepFlags = 0x1FC0;
constexpr int squelchLevel = 0x1FC1;
constexpr int timeOutTimer = 0x1FC3;
constexpr int radioType = 0x1FD6;
constexpr int bandIndex = 0x1FD7;
constexpr int stepIndex = 0x1FE0;
constexpr int optionFlags1 = 0x1FE1;
constexpr int optionFlags2 = 0x1FE2;
constexpr int voiceSensitivity = 0x1FE4;
constexpr int callTone = 0x1FE5;
constexpr int batterySaver = 0x1FE6;
constexpr int priScanTime = 0x1FE7;
constexpr int callKey = 0x1FE9;
constexpr int bandLimits = 0x1FF0; // three bytes 0x1FF0-0x1FF2
} // namespace Off

// Byte positions inside a 16-byte channel record.
namespace Rec {
constexpr int rxFreq = 0;    // 4 BCD bytes, least significant pair first
constexpr int txFreq = 4;    // same coding, byte 7 most significant
constexpr int rxToneLow = 8, rxToneKind = 9;
constexpr int txToneLow = 10, txToneKind = 11;
constexpr int chanFlags = 12; // bits 5-4 power, bit 3 lock, bit 2 scan add
} // namespace Rec

class MemoryImage {
public:
    using Bytes = std::array<uint8_t, kImageSize>;

    // All 0xFF; callers that want a new document use newImage().
    MemoryImage() { m_bytes.fill(0xFF); }

    // 0xFF everywhere except the eleven default option bytes.
    static MemoryImage newImage();

    uint8_t *data() { return m_bytes.data(); }
    const uint8_t *data() const { return m_bytes.data(); }
    uint8_t &operator[](int offset) { return m_bytes[static_cast<std::size_t>(offset)]; }
    uint8_t operator[](int offset) const { return m_bytes[static_cast<std::size_t>(offset)]; }

    // The three views: record n (0-199), name slot n (0-199), option byte.
    uint8_t *record(int n) { return data() + kRecordSize * n; }
    const uint8_t *record(int n) const { return data() + kRecordSize * n; }
    uint8_t *nameSlot(int n) { return data() + kNameAreaStart + kNameSlotSize * n; }
    const uint8_t *nameSlot(int n) const { return data() + kNameAreaStart + kNameSlotSize * n; }
    uint8_t option(int offset) const { return m_bytes[static_cast<std::size_t>(offset)]; }
    void setOption(int offset, uint8_t v) { m_bytes[static_cast<std::size_t>(offset)] = v; }

    // A record whose byte 3 is 0x00 or 0xFF is an empty channel.
    static bool isEmptyChannel(const uint8_t *record) { return record[3] == 0x00 || record[3] == 0xFF; }
    // Byte 7 of 0x00 or 0xFF: no transmit frequency.
    static bool hasNoTxFrequency(const uint8_t *record) { return record[7] == 0x00 || record[7] == 0xFF; }

    // Stores the band edges L and H (whole MHz) as three digit-coded bytes
    // at 0x1FF0; the upper edge is stored as H - 1.
    void setBandLimits(int low, int high);

    bool operator==(const MemoryImage &o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const MemoryImage &o) const { return !(*this == o); }

private:
    Bytes m_bytes;
};

} // namespace corvane
