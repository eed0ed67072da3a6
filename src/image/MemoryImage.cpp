#include "image/MemoryImage.h"

namespace corvane {

MemoryImage MemoryImage::newImage()
{
    MemoryImage img;
    struct Default { int offset; uint8_t value; };
    static const Default defaults[] = {
        {Off::squelchLevel, 0x01}, {Off::timeOutTimer, 0x01}, {Off::radioType, 0x00},
        {Off::bandIndex, 0x00},    {Off::stepIndex, 0x04},    {Off::optionFlags1, 0xD4},
        {Off::optionFlags2, 0x21}, {Off::voiceSensitivity, 0x00}, {Off::callTone, 0x01},
        {Off::batterySaver, 0x02}, {Off::priScanTime, 0x00},
    };
    for (const Default &d : defaults)
        img.setOption(d.offset, d.value);
    return img;
}

void MemoryImage::setBandLimits(int low, int high)
{
    // Integer division and remainder truncate toward zero; an upper edge of
    // 0 gives h = -1, whose digits wrap modulo 256 like the radio expects.
    const int h = high - 1;
    m_bytes[Off::bandLimits] = static_cast<uint8_t>((low / 100) * 16 + (low / 10) % 10);
    m_bytes[Off::bandLimits + 1] = static_cast<uint8_t>((h / 100) * 16 + (h / 10) % 10);
    m_bytes[Off::bandLimits + 2] = static_cast<uint8_t>((low % 10) * 16 + h % 10);
}

} // namespace corvane
