#include "link/WriteCompare.h"

#include "link/Protocol.h"

namespace corvane {

std::vector<int> WriteDifferences(const MemoryImage &sent, const MemoryImage &radio)
{
    std::vector<int> out;
    for (const Proto::Range &range : Proto::WriteRanges)
        for (int offset = range.begin; offset < range.end; ++offset)
            if (sent[offset] != radio[offset])
                out.push_back(offset);
    return out;
}

} // namespace corvane
