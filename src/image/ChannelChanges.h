#pragma once
// How two memory images differ channel by channel, for the summary of an
// import: a channel is added when it was empty before, erased when it is
// empty after, and changed when any byte of its record or name slot differs
// while it holds a channel in both.
#include "image/MemoryImage.h"

namespace corvane {

struct ChannelChanges {
    int added = 0;
    int changed = 0;
    int erased = 0;
};

ChannelChanges CompareChannels(const MemoryImage &before, const MemoryImage &after);

} // namespace corvane
