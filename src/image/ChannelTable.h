#pragma once
// The working copy of the channel area: 200 rows (grid rows 1-200, row n+1
// for record n) of 8 texts (grid columns 1-8: Rx, Tx, decode tone, encode
// tone, power, lock, scan add, name). A row whose receive text is empty is
// an empty channel.
#include <QString>
#include <array>
#include <cstddef>

namespace corvane {

enum Column { ColRx = 1, ColTx, ColDecode, ColEncode, ColPower, ColLock, ColScan, ColName };

// The band the commit rules check frequencies against, in units of 10 Hz,
// both ends allowed.
struct BandLimits {
    int low = 0;
    int high = 0;
};

class ChannelTable {
public:
    // gridRow 1..200, col 1..8.
    QString &cell(int gridRow, int col) { return m_rows[static_cast<std::size_t>(gridRow - 1)][static_cast<std::size_t>(col - 1)]; }
    const QString &cell(int gridRow, int col) const { return m_rows[static_cast<std::size_t>(gridRow - 1)][static_cast<std::size_t>(col - 1)]; }
    bool isEmptyChannel(int gridRow) const { return cell(gridRow, ColRx).isEmpty(); }
    void clearRow(int gridRow) { for (QString &s : m_rows[static_cast<std::size_t>(gridRow - 1)]) s.clear(); }

private:
    std::array<std::array<QString, 8>, 200> m_rows;
};

} // namespace corvane
