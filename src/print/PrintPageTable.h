#pragma once
// Which grid rows each printed channel page holds. A channel page lists up
// to seven non-empty channels (rows whose receive frequency text is not
// empty); entry k of the table is the grid row of the (7 k)-th non-empty
// channel, or 200 when there are fewer, and entry 0 is 0. Channel page p
// (p >= 2) prints the non-empty rows after entry p - 2 up to entry p - 1.
#include "image/ChannelTable.h"

#include <array>

namespace corvane {

class PrintPageTable {
public:
    static constexpr int kEntries = 30;
    static constexpr int kChannelsPerPage = 7;

    PrintPageTable() { Reset(); }

    // Counts the table from scratch: nothing of an earlier count remains.
    void Count(const ChannelTable &table);

    int ChannelCount() const { return m_count; }
    // (count + 6) / 7: 0 without channels, 29 at most.
    int ChannelPages() const { return (m_count + kChannelsPerPage - 1) / kChannelsPerPage; }
    int Entry(int k) const { return m_entries[static_cast<std::size_t>(k)]; }
    // First and last grid row (inclusive) of channel page p (2..30).
    int FirstRow(int page) const { return Entry(page - 2) + 1; }
    int LastRow(int page) const { return Entry(page - 1); }

private:
    void Reset();

    std::array<int, kEntries> m_entries{};
    int m_count = 0;
};

} // namespace corvane
