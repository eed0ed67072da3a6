#pragma once
// Bytes and address ranges of the radio's serial protocol, shared by the
// transfer engine, the virtual radio and the command line. Addresses are
// image offsets, sent high byte first; blocks are always 8 bytes.
#include "image/MemoryImage.h"

#include <array>
#include <cstdint>

namespace corvane::Proto {

constexpr uint8_t Ack = 0x06;
constexpr uint8_t ReadCmd = 0x52;  // 'R' hi lo 0x08
constexpr uint8_t WriteCmd = 0x57; // 'W' hi lo 0x08 + 8 data bytes
constexpr uint8_t BlockLen = 0x08;
constexpr int BlockSize = 8;
constexpr int RequestSize = 4;
constexpr int ReadReplySize = 12;  // 4 bytes not examined, then 8 data bytes
constexpr int IdentReplySize = 8;

// Wake-up string, sent one byte at a time.
constexpr std::array<uint8_t, 7> WakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
// Identification request, two one-byte writes.
constexpr std::array<uint8_t, 2> IdentRequest{'M', 0x02};

// Driver queue sizes and line timeouts (ms).
constexpr int RxQueue = 1024, TxQueue = 512;

// A half-open range [begin, end) of image offsets.
struct Range {
    int begin;
    int end;
    int blocks() const { return (end - begin) / BlockSize; }
    bool contains(int offset) const { return offset >= begin && offset < end; }
};

// A read moves the whole image.
constexpr Range ReadRange{0x0000, kImageSize};
// A write skips records 100-149 (0x0640-0x095F) and the last 16 bytes.
constexpr std::array<Range, 2> WriteRanges{Range{0x0000, 0x0640}, Range{0x0960, 0x1FF0}};

constexpr int ReadBlocks = kImageSize / BlockSize;                      // 1024
constexpr int WriteBlocks = (0x0640 + (0x1FF0 - 0x0960)) / BlockSize; // 922
constexpr int ReadSteps = ReadBlocks / 2;   // 512: one step per 16 bytes
constexpr int WriteSteps = WriteBlocks / 2; // 461

// True when a write sends the byte at this offset.
inline bool WriteSends(int offset)
{
    return WriteRanges[0].contains(offset) || WriteRanges[1].contains(offset);
}

} // namespace corvane::Proto
