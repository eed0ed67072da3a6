// Rows of the common layout read into typed rows (the mapping table is in
// CommonCsv.h).
#include "image/CommonCsv.h"

#include "editor/CellCommit.h"
#include "image/Codecs.h"
#include "image/DecimalMath.h"
#include "image/MemoryImage.h"
#include "image/TypedRow.h"

#include <QHash>
#include <climits>
#include <cmath>
#include <optional>

namespace corvane {

namespace {

const BiText kMissingColumn{"the column %1 is missing", "缺少 %1 列"};
const BiText kColumnCount{"%1 columns, %2 expected", "有 %1 列，应为 %2 列"};
const BiText kBadLocation{"unknown Location \"%1\" (0 to 199)", "未知的 Location“%1”（应为 0 到 199）"};
const BiText kBadDuplex{"\"%1\" is not a Duplex value (empty, +, -, split or off)",
                        "“%1”不是 Duplex 的值（空、+、-、split 或 off）"};
const BiText kBadFrequency{"\"%1\" is not a frequency in MHz", "“%1”不是以 MHz 为单位的频率"};
const BiText kBadTone{"\"%1\" is not a tone mode (empty, Tone, TSQL, DTCS or Cross)",
                      "“%1”不是亚音模式（空、Tone、TSQL、DTCS 或 Cross）"};
const BiText kBadCross{"\"%1\" is not a cross mode (Tone->Tone, DTCS->, ->DTCS, Tone->DTCS, DTCS->Tone, ->Tone or "
                       "DTCS->DTCS)",
                       "“%1”不是交叉模式（Tone->Tone、DTCS->、->DTCS、Tone->DTCS、DTCS->Tone、->Tone 或 "
                       "DTCS->DTCS）"};
const BiText kBadCtcss{"\"%1\" is not a CTCSS tone of the list", "“%1”不是列表中的 CTCSS 亚音"};
const BiText kBadDcs{"\"%1\" is not a DCS code of the list", "“%1”不是列表中的 DCS 码"};
const BiText kBadPolarity{"\"%1\" is not a polarity (NN, NR, RN or RR)", "“%1”不是极性（NN、NR、RN 或 RR）"};
const BiText kBadPower{"\"%1\" is not a power (Low, Middle, High, or watts such as 5W)",
                       "“%1”不是功率（Low、Middle、High，或瓦数如 5W）"};
const BiText kBadSkip{"\"%1\" is not a Skip value (empty, S or P)", "“%1”不是 Skip 的值（空、S 或 P）"};

bool Is(const QString &text, const char *word) { return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }

// A plain decimal number of MHz (a decimal comma allowed) in units of
// 10 Hz, rounded to the nearest unit.
std::optional<long long> ParseMhz(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > 20000.0)
        return std::nullopt;
    return std::llround(DecimalMultiply(v, 100000.0));
}

std::optional<double> ParseWatts(const QString &text)
{
    const QString t = text.trimmed();
    if (!t.endsWith(QLatin1Char('W'), Qt::CaseInsensitive))
        return std::nullopt;
    QString number = t.chopped(1).trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double w = number.toDouble(&ok);
    return ok && std::isfinite(w) && w >= 0 ? std::optional<double>(w) : std::nullopt;
}

// "88.5", "88.50", "88" -> the list entry "88.5" / "88.0".
std::optional<QString> CtcssEntry(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0 || v > 1000)
        return std::nullopt;
    const long tenths = std::lround(DecimalMultiply(v, 10.0));
    const QString entry = QString::asprintf("%ld.%ld", tenths / 10, tenths % 10);
    const int i = ToneList(false).indexOf(entry);
    return i >= 1 && i <= 50 ? std::optional<QString>(entry) : std::nullopt;
}

// "023", "23" or "D023" with polarity 'N' or 'R' -> "D023N" / "D023I".
std::optional<QString> DcsEntry(const QString &code, QChar polarity)
{
    QString digits = code.trimmed();
    if (digits.startsWith(QLatin1Char('D'), Qt::CaseInsensitive))
        digits.remove(0, 1);
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok || digits.isEmpty() || digits.size() > 3 || digits.startsWith(QLatin1Char('+')) || n < 0)
        return std::nullopt;
    const QString entry = QString::asprintf("D%03d%c", n, polarity == QLatin1Char('R') ? 'I' : 'N');
    return ToneList(false).contains(entry) ? std::optional<QString>(entry) : std::nullopt;
}

class CommonRowReader : public RowReader {
public:
    CommonRowReader(const QList<CsvRecord> &records, bool needPlace, bool chinese)
        : m_columns(int(records[0].fields.size())), m_needPlace(needPlace), m_chinese(chinese)
    {
        for (int i = 0; i < m_columns; ++i)
            m_index.insert(records[0].fields[i].trimmed().toLower(), i);
        for (int i = 1; i < records.size(); ++i) {
            if (const std::optional<double> w = ParseWatts(Field(records[i], "power"))) {
                m_wattsLow = std::min(m_wattsLow, *w);
                m_wattsHigh = std::max(m_wattsHigh, *w);
            }
        }
    }

    bool Has(const QString &lowerName) const { return m_index.contains(lowerName); }

    bool Read(const CsvRecord &rec, TypedRow &row, QStringList &problems) const override
    {
        if (rec.fields.size() != m_columns) {
            problems << LineProblem(rec.line, kColumnCount.text(m_chinese).arg(rec.fields.size()).arg(m_columns), m_chinese);
            return false;
        }
        row.line = rec.line;
        const QString location = Field(rec, "location").trimmed();
        if (m_needPlace) {
            bool ok = false;
            const int n = location.toInt(&ok);
            if (!ok || n < 0 || n >= kChannelCount || location.startsWith(QLatin1Char('+'))) {
                problems << LineProblem(rec.line, kBadLocation.text(m_chinese).arg(location), m_chinese);
                return false;
            }
            row.gridRow = n + 1;
        }
        if (row.where.isEmpty())
            row.where = QStringLiteral("Location %1").arg(location);
        Mapping map{*this, rec, row, problems};
        const QString frequency = Field(rec, "frequency").trimmed();
        map.Set(ColRx, "Frequency", frequency);
        if (frequency.isEmpty())
            return true; // the channel is erased; nothing else can be set
        map.Transmit(frequency);
        map.Tones();
        map.Flags();
        QString name;
        for (const QChar ch : Field(rec, "name").toUpper())
            if (name.size() < 6 && ch.unicode() < 0x80 && NameCharToCode(char(ch.unicode())) != 0xFF)
                name += ch;
        map.Set(ColName, "Name", name);
        return true;
    }

private:
    QString Field(const CsvRecord &rec, const char *name) const
    {
        const int i = m_index.value(QString::fromLatin1(name).toLower(), -1);
        return i >= 0 && i < rec.fields.size() ? rec.fields[i] : QString();
    }

    // One record mapped onto its typed row.
    struct Mapping {
        const CommonRowReader &reader;
        const CsvRecord &rec;
        TypedRow &row;
        QStringList &problems;

        QString Field(const char *name) const { return reader.Field(rec, name); }
        void Set(int col, const char *column, const QString &text)
        {
            row.text[col] = text;
            row.source[col] = QLatin1String(column);
        }
        void Problem(const char *column, const BiText &message, const QString &value)
        {
            problems << CellProblem(row.where, QLatin1String(column), message.text(reader.m_chinese).arg(value), reader.m_chinese);
        }

        void Transmit(const QString &frequency)
        {
            const QString duplex = Field("duplex").trimmed();
            const QString offsetText = Field("offset");
            if (duplex.isEmpty())
                return Set(ColTx, "Duplex", frequency);
            if (Is(duplex, "off"))
                return Set(ColTx, "Duplex", QString());
            const bool plus = duplex == QLatin1String("+"), minus = duplex == QLatin1String("-");
            if (!plus && !minus && !Is(duplex, "split"))
                return Problem("Duplex", kBadDuplex, duplex);
            const std::optional<long long> offset = offsetText.trimmed().isEmpty() && !Is(duplex, "split")
                                                        ? std::optional<long long>(0)
                                                        : ParseMhz(offsetText);
            if (!offset)
                return Problem("Offset", kBadFrequency, offsetText);
            if (!plus && !minus)
                return Set(ColTx, "Offset", FrequencyText(int(*offset)));
            const long long rx = CheckFrequency(frequency, INT_MIN, INT_MAX).units;
            const long long tx = std::clamp(plus ? rx + *offset : rx - *offset, -99999999LL, 99999999LL);
            Set(ColTx, "Offset", FrequencyText(int(tx)));
        }

        // One side's tone: a CTCSS tone, or a DCS code with the polarity letter
        // `polarity`, from `column`.
        bool Tone(bool dcs, const char *column, QChar polarity, QString &out)
        {
            const QString value = Field(column);
            const std::optional<QString> entry = dcs ? DcsEntry(value, polarity) : CtcssEntry(value);
            if (!entry) {
                Problem(column, dcs ? kBadDcs : kBadCtcss, value);
                return false;
            }
            out = *entry;
            return true;
        }

        void Tones()
        {
            const QString mode = Field("tone").trimmed();
            QString polarity = Field("dtcspolarity").trimmed().toUpper();
            if (polarity.isEmpty())
                polarity = QStringLiteral("NN");
            const bool polarityOk = polarity.size() == 2 && QStringLiteral("NR").contains(polarity[0]) &&
                                    QStringLiteral("NR").contains(polarity[1]);
            // The codes are checked also when the polarity is refused.
            const QString pol = polarityOk ? polarity : QStringLiteral("NN");
            QString enc = ToneList(reader.m_chinese).at(0), dec = enc;
            bool ok = true;
            bool usesDcs = false;
            if (mode.isEmpty()) {
            } else if (Is(mode, "Tone")) {
                ok = Tone(false, "rToneFreq", QChar(), enc);
            } else if (Is(mode, "TSQL")) {
                ok = Tone(false, "cToneFreq", QChar(), enc) && Tone(false, "cToneFreq", QChar(), dec);
            } else if (Is(mode, "DTCS")) {
                usesDcs = true;
                ok = Tone(true, "DtcsCode", pol[0], enc) && Tone(true, "DtcsCode", pol[1], dec);
            } else if (Is(mode, "Cross")) {
                const QString cross = Field("crossmode").trimmed();
                const int arrow = cross.indexOf(QLatin1String("->"));
                const QString txPart = cross.left(arrow), rxPart = cross.mid(arrow + 2);
                const auto known = [](const QString &p) { return p.isEmpty() || Is(p, "Tone") || Is(p, "DTCS"); };
                if (arrow < 0 || !known(txPart) || !known(rxPart) || (txPart.isEmpty() && rxPart.isEmpty()))
                    return Problem("CrossMode", kBadCross, cross);
                usesDcs = Is(txPart, "DTCS") || Is(rxPart, "DTCS");
                if (!txPart.isEmpty())
                    ok = Is(txPart, "DTCS") ? Tone(true, "DtcsCode", pol[0], enc) : Tone(false, "rToneFreq", QChar(), enc);
                if (!rxPart.isEmpty())
                    ok = (Is(rxPart, "DTCS") ? Tone(true, "RxDtcsCode", pol[1], dec)
                                             : Tone(false, "cToneFreq", QChar(), dec)) && ok;
            } else {
                return Problem("Tone", kBadTone, mode);
            }
            if (usesDcs && !polarityOk)
                Problem("DtcsPolarity", kBadPolarity, Field("dtcspolarity"));
            if (!ok || (usesDcs && !polarityOk))
                return;
            Set(ColEncode, "Tone", enc);
            Set(ColDecode, "Tone", dec);
        }

        void Flags()
        {
            const QString power = Field("power").trimmed();
            if (const std::optional<double> w = ParseWatts(power)) {
                const double span = reader.m_wattsHigh - reader.m_wattsLow;
                const double t = span > 0 ? (*w - reader.m_wattsLow) / span : 1.0;
                Set(ColPower, "Power", (t < 1.0 / 3 ? Txt::Low : t > 2.0 / 3 ? Txt::High : Txt::Middle).text(reader.m_chinese));
            } else if (Is(power, "Low") || Txt::Low.matches(power)) {
                Set(ColPower, "Power", Txt::Low.text(reader.m_chinese));
            } else if (Is(power, "Middle") || Is(power, "Mid") || Is(power, "Medium") || Txt::Middle.matches(power)) {
                Set(ColPower, "Power", Txt::Middle.text(reader.m_chinese));
            } else if (Is(power, "High") || Txt::High.matches(power)) {
                Set(ColPower, "Power", Txt::High.text(reader.m_chinese));
            } else if (!power.isEmpty()) {
                Problem("Power", kBadPower, power);
            }
            const QString comment = Field("comment").trimmed();
            if (Is(comment, "Lock") || Txt::Lock.matches(comment))
                Set(ColLock, "Comment", Txt::Lock.text(reader.m_chinese));
            else if (Is(comment, "Unlock") || Txt::Unlock.matches(comment))
                Set(ColLock, "Comment", Txt::Unlock.text(reader.m_chinese));
            const QString skip = Field("skip").trimmed();
            if (Is(skip, "S"))
                Set(ColScan, "Skip", Txt::No.text(reader.m_chinese));
            else if (skip.isEmpty() || Is(skip, "P"))
                Set(ColScan, "Skip", Txt::Yes.text(reader.m_chinese));
            else
                Problem("Skip", kBadSkip, skip);
        }
    };

    int m_columns;
    bool m_needPlace;
    bool m_chinese;
    QHash<QString, int> m_index; // lower-case column name -> field index
    double m_wattsLow = HUGE_VAL;
    double m_wattsHigh = -HUGE_VAL;
};

} // namespace

std::unique_ptr<RowReader> MakeCommonRowReader(const QList<CsvRecord> &records, bool needPlace, bool chinese,
                                               QStringList &problems)
{
    auto reader = std::make_unique<CommonRowReader>(records, needPlace, chinese);
    bool complete = true;
    for (const QString &needed : {QStringLiteral("Location"), QStringLiteral("Frequency")}) {
        if ((needPlace || needed != QLatin1String("Location")) && !reader->Has(needed.toLower())) {
            problems << LineProblem(records[0].line, kMissingColumn.text(chinese).arg(needed), chinese);
            complete = false;
        }
    }
    if (!complete)
        return nullptr;
    return reader;
}

} // namespace corvane
