#pragma once
// The report of a fleet run, the same for the terminal, the CSV file and
// the desktop dialog: one row per port with its name, the device it stands
// for, the result and the time taken. Headings and result words are in
// English or Chinese; the detail of a failure (the system's reason, the
// block that failed) is English, as in every transfer message.
//
// Result words (English): "ok"; "verify mismatch: N bytes"; "cannot open
// the port: DETAIL"; "communication error: DETAIL"; "interrupted: DETAIL";
// "cancelled".
#include "link/FleetTypes.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane {

// How a whole run went, first match wins: Cancelled (a port was stopped
// by the user), NoneOpened (no port could be opened), Failed (any port
// failed or mismatched), AllOk.
enum class FleetSummary { AllOk, Failed, NoneOpened, Cancelled };

namespace FleetReport {

QString ResultText(const FleetPortResult &r, bool chinese);
// Seconds with one decimal ("12.8").
QString Seconds(int64_t ms);
// Port, device, result, time (s).
QStringList Headings(bool chinese);
QStringList Row(const FleetPortResult &r, bool chinese);

// The table with aligned columns, one line per port, for a terminal.
QString Table(const std::vector<FleetPortResult> &results, bool chinese);
// CSV, a heading line then one line per port, each ended by LF.
QString Csv(const std::vector<FleetPortResult> &results, bool chinese);
// Writes Csv as UTF-8 through a temporary file renamed over path, so a
// failed save leaves an existing file as it was.
Result SaveCsv(const QString &path, const std::vector<FleetPortResult> &results, bool chinese);

FleetSummary Summarize(const std::vector<FleetPortResult> &results);
// "3 of 4 radios ok" and the like.
QString SummaryText(const std::vector<FleetPortResult> &results, bool chinese);
// What the user must know about the radios left behind: some may hold only
// part of the image (a write interrupted or cancelled, or a verify that
// found differences). Empty when no radio is in that state.
QString PartialWriteNote(const std::vector<FleetPortResult> &results, bool chinese);

} // namespace FleetReport
} // namespace corvane
