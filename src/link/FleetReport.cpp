#include "link/FleetReport.h"

#include "image/Csv.h"
#include "image/Texts.h"

#include <QSaveFile>
#include <algorithm>

namespace corvane {

namespace {
const BiText kPort{"port", "端口"};
const BiText kDevice{"device", "设备"};
const BiText kResult{"result", "结果"};
const BiText kTime{"time (s)", "时间（秒）"};
const BiText kOk{"ok", "成功"};
const BiText kMismatch{"verify mismatch: %1 bytes", "校验不符：%1 字节"};
const BiText kCannotOpen{"cannot open the port", "无法打开端口"};
const BiText kCommError{"communication error", "通信错误"};
const BiText kInterrupted{"interrupted", "传输中断"};
const BiText kCancelled{"cancelled", "已取消"};
const BiText kSummary{"%1 of %2 radios ok", "%2 台电台中 %1 台成功"};
const BiText kPartial{"A radio whose write was interrupted, cancelled or did not verify may hold only part of "
                      "the image: write it again.",
                      "写入中断、被取消或校验不符的电台可能只有部分数据，请重新写入。"};

// "WORD: detail", or the word alone when there is no detail.
QString WithDetail(const BiText &word, const QString &detail, bool chinese)
{
    const QString separator = chinese ? QStringLiteral("：") : QStringLiteral(": ");
    return detail.isEmpty() ? word.text(chinese) : word.text(chinese) + separator + detail;
}
} // namespace

namespace FleetReport {

QString ResultText(const FleetPortResult &r, bool chinese)
{
    switch (r.result.status) {
    case Status::Ok: return kOk.text(chinese);
    case Status::Mismatch: return kMismatch.text(chinese).arg(r.mismatchBytes);
    case Status::PortError: return WithDetail(kCannotOpen, r.result.text, chinese);
    case Status::CommError: return WithDetail(kCommError, r.result.text, chinese);
    case Status::Cancelled: return kCancelled.text(chinese);
    default: return WithDetail(kInterrupted, r.result.text, chinese);
    }
}

QString Seconds(int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1); }

QStringList Headings(bool chinese)
{
    return {kPort.text(chinese), kDevice.text(chinese), kResult.text(chinese), kTime.text(chinese)};
}

QStringList Row(const FleetPortResult &r, bool chinese)
{
    return {r.target.name, r.target.device, ResultText(r, chinese), Seconds(r.elapsedMs)};
}

QString Table(const std::vector<FleetPortResult> &results, bool chinese)
{
    std::vector<QStringList> rows{Headings(chinese)};
    for (const FleetPortResult &r : results)
        rows.push_back(Row(r, chinese));
    std::vector<int> widths(rows.front().size(), 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[static_cast<std::size_t>(c)] = std::max(widths[static_cast<std::size_t>(c)], int(row[c].size()));
    QString out;
    for (const QStringList &row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            const bool last = c + 1 == row.size();
            // The time is the last column and lines up on its right.
            line += last ? row[c].rightJustified(widths[static_cast<std::size_t>(c)])
                         : row[c].leftJustified(widths[static_cast<std::size_t>(c)]) + QStringLiteral("  ");
        }
        out += line + QLatin1Char('\n');
    }
    return out;
}

QString Csv(const std::vector<FleetPortResult> &results, bool chinese)
{
    QString text = CsvLine(Headings(chinese)) + QLatin1Char('\n');
    for (const FleetPortResult &r : results)
        text += CsvLine(Row(r, chinese)) + QLatin1Char('\n');
    return text;
}

Result SaveCsv(const QString &path, const std::vector<FleetPortResult> &results, bool chinese)
{
    QSaveFile file(path);
    const QByteArray bytes = Csv(results, chinese).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Result::fail(Status::FileError, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return Result::success();
}

FleetSummary Summarize(const std::vector<FleetPortResult> &results)
{
    const auto any = [&](auto pred) { return std::any_of(results.begin(), results.end(), pred); };
    if (any([](const FleetPortResult &r) { return r.result.status == Status::Cancelled; }))
        return FleetSummary::Cancelled;
    if (!results.empty()
        && std::all_of(results.begin(), results.end(),
                       [](const FleetPortResult &r) { return r.result.status == Status::PortError; }))
        return FleetSummary::NoneOpened;
    return any([](const FleetPortResult &r) { return !r.ok(); }) ? FleetSummary::Failed : FleetSummary::AllOk;
}

QString SummaryText(const std::vector<FleetPortResult> &results, bool chinese)
{
    const auto ok = std::count_if(results.begin(), results.end(), [](const FleetPortResult &r) { return r.ok(); });
    return kSummary.text(chinese).arg(ok).arg(results.size());
}

QString PartialWriteNote(const std::vector<FleetPortResult> &results, bool chinese)
{
    const bool partial = std::any_of(results.begin(), results.end(), [](const FleetPortResult &r) {
        const bool stoppedWriting = r.phase == FleetPhase::Writing
                                    && (r.result.status == Status::Interrupted || r.result.status == Status::Cancelled);
        return stoppedWriting || r.result.status == Status::Mismatch;
    });
    return partial ? kPartial.text(chinese) : QString();
}

} // namespace FleetReport
} // namespace corvane
