#pragma once
// What a verify compares: the bytes a write sends (Proto::WriteRanges),
// between the image that was written and the image read back from the
// radio. Records 100-149 and the last 16 bytes are never sent, so they
// never count as differences.
#include "image/MemoryImage.h"

#include <vector>

namespace corvane {

// Offsets within the write ranges whose bytes differ, ascending.
std::vector<int> WriteDifferences(const MemoryImage &sent, const MemoryImage &radio);

} // namespace corvane
