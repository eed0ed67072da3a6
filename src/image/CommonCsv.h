#pragma once
// The common channel-list layout that amateur channel-plan tools and
// spreadsheets exchange. Columns are found by their header names (any
// order, any case; unknown columns are ignored, missing ones read as
// empty). Location and Frequency are needed; the rest map to the channel:
//
// | Column       | Channel                                                  |
// |--------------|----------------------------------------------------------|
// | Location     | record number 0-199 (0 is "Pr")                          |
// | Name         | name: upper-cased, letters outside 0-9 A-Z - _ dropped,  |
// |              | cut to 6                                                 |
// | Frequency    | receive frequency, MHz                                   |
// | Duplex       | "" transmit = receive; "+"/"-" receive +/- Offset;       |
// |              | "split" Offset is the transmit frequency; "off" none     |
// | Offset       | MHz                                                      |
// | Tone         | "" none; "Tone" encode rToneFreq; "TSQL" encode and      |
// |              | decode cToneFreq; "DTCS" encode and decode DtcsCode;     |
// |              | "Cross" by CrossMode                                     |
// | CrossMode    | Tone->Tone (rToneFreq, cToneFreq), DTCS-> , ->DTCS,      |
// |              | Tone->DTCS, DTCS->Tone, ->Tone, DTCS->DTCS; a receive    |
// |              | DCS code is RxDtcsCode                                   |
// | DtcsPolarity | first letter transmit, second receive: N normal,         |
// |              | R inverted ("I" in the grid); empty is NN                |
// | Skip         | "S" scan add No; "" or "P" Yes                           |
// | Power        | Low/Middle/High by name, or watts ("5W"): the lowest     |
// |              | third of the file's watt values Low, the highest High   |
// | Comment      | "Lock"/"Unlock" sets the channel lock; other text is     |
// |              | ignored                                                  |
// | Mode, TStep, URCALL, RPT1CALL, RPT2CALL, DVCODE | ignored on import     |
//
// Export writes every channel in use under the full header, so that an
// export read back gives the same record bytes; values that the grid's
// lists cannot hold are refused on import, naming the Location and the
// column.
#include "image/ChannelTable.h"
#include "image/Csv.h"

#include <QStringList>
#include <memory>

namespace corvane {

class RowReader;

// The 21 column names, in the order export writes them.
const QStringList &CommonCsvHeader();
// True when a header names a "Location" or a "Frequency" column.
bool IsCommonHeader(const QStringList &header);

// The header and one row per channel in use, each line ended by LF.
QString ChannelTableCommonCsv(const ChannelTable &table);

// Reads the rows under the header records[0]. needPlace: each row goes to
// its Location, which must then be there. nullptr, with a problem, when a
// needed column is missing.
std::unique_ptr<RowReader> MakeCommonRowReader(const QList<CsvRecord> &records, bool needPlace, bool chinese,
                                               QStringList &problems);

} // namespace corvane
