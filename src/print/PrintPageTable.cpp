#include "print/PrintPageTable.h"

#include "image/MemoryImage.h"

namespace corvane {

void PrintPageTable::Reset()
{
    m_entries.fill(kChannelCount);
    m_entries[0] = 0;
    m_count = 0;
}

void PrintPageTable::Count(const ChannelTable &table)
{
    Reset();
    for (int row = 1; row <= kChannelCount; ++row) {
        if (table.isEmptyChannel(row))
            continue;
        ++m_count;
        if (m_count % kChannelsPerPage == 0)
            m_entries[static_cast<std::size_t>(m_count / kChannelsPerPage)] = row;
    }
}

} // namespace corvane
