#include "image/ChannelChanges.h"

#include <algorithm>

namespace corvane {

ChannelChanges CompareChannels(const MemoryImage &before, const MemoryImage &after)
{
    ChannelChanges c;
    for (int n = 0; n < kChannelCount; ++n) {
        const bool wasEmpty = MemoryImage::isEmptyChannel(before.record(n));
        const bool isEmpty = MemoryImage::isEmptyChannel(after.record(n));
        if (wasEmpty != isEmpty) {
            ++(wasEmpty ? c.added : c.erased);
            continue;
        }
        const bool same = std::equal(before.record(n), before.record(n) + kRecordSize, after.record(n)) &&
                          std::equal(before.nameSlot(n), before.nameSlot(n) + kNameSlotSize, after.nameSlot(n));
        if (!wasEmpty && !same)
            ++c.changed;
    }
    return c;
}

} // namespace corvane
