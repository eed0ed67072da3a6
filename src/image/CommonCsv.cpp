// The common layout's header and its export (the import is in
// CommonCsvReader.cpp).
#include "image/CommonCsv.h"

#include "editor/CellCommit.h"
#include "image/MemoryImage.h"
#include "image/Texts.h"

#include <climits>

namespace corvane {

namespace {

// How a grid tone text reads in this layout.
struct ToneSpec {
    enum Kind { None, Ctcss, Dcs } kind = None;
    QString ctcss;   // "88.5"
    QString code;    // "023"
    QChar polarity;  // 'N' or 'R'
};

ToneSpec Classify(const QString &text)
{
    ToneSpec t;
    if (text.isEmpty() || Txt::None.matches(text))
        return t;
    if (text.startsWith(QLatin1Char('D')) && text.size() >= 3) {
        t.kind = ToneSpec::Dcs;
        t.code = text.mid(1, text.size() - 2);
        t.polarity = text.endsWith(QLatin1Char('I')) ? QLatin1Char('R') : QLatin1Char('N');
        return t;
    }
    t.kind = ToneSpec::Ctcss;
    t.ctcss = text;
    return t;
}

// MHz with six decimals, as the layout writes frequencies.
QString Mhz(long long units)
{
    const char *sign = units < 0 ? "-" : "";
    const long long a = units < 0 ? -units : units;
    return QString::asprintf("%s%lld.%06lld", sign, a / 100000, (a % 100000) * 10);
}

// The largest usual step that the frequency lies on.
QString StepFor(int units)
{
    if (units % 500 == 0)
        return QStringLiteral("5.00");
    if (units % 1250 == 0)
        return QStringLiteral("12.50");
    return units % 625 == 0 ? QStringLiteral("6.25") : QStringLiteral("2.50");
}

int Units(const QString &frequencyText) { return CheckFrequency(frequencyText, INT_MIN, INT_MAX).units; }

struct ToneColumns {
    QString tone, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5"), code = QStringLiteral("023"),
                  polarity = QStringLiteral("NN"), rxCode = QStringLiteral("023"),
                  cross = QStringLiteral("Tone->Tone");
};

QString Part(const ToneSpec &t)
{
    return t.kind == ToneSpec::Ctcss ? QStringLiteral("Tone") : t.kind == ToneSpec::Dcs ? QStringLiteral("DTCS") : QString();
}

ToneColumns ToneColumnsFor(const ToneSpec &enc, const ToneSpec &dec)
{
    ToneColumns c;
    const QChar encPol = enc.kind == ToneSpec::Dcs ? enc.polarity : QLatin1Char('N');
    const QChar decPol = dec.kind == ToneSpec::Dcs ? dec.polarity : QLatin1Char('N');
    c.polarity = QString(encPol) + decPol;
    if (enc.kind == ToneSpec::None && dec.kind == ToneSpec::None)
        return c;
    if (enc.kind == ToneSpec::Ctcss && dec.kind == ToneSpec::None) {
        c.tone = QStringLiteral("Tone");
        c.rTone = enc.ctcss;
    } else if (enc.kind == ToneSpec::Ctcss && dec.kind == ToneSpec::Ctcss && enc.ctcss == dec.ctcss) {
        c.tone = QStringLiteral("TSQL");
        c.rTone = c.cTone = enc.ctcss;
    } else if (enc.kind == ToneSpec::Dcs && dec.kind == ToneSpec::Dcs && enc.code == dec.code) {
        c.tone = QStringLiteral("DTCS");
        c.code = enc.code;
    } else {
        c.tone = QStringLiteral("Cross");
        c.cross = Part(enc) + QStringLiteral("->") + Part(dec);
        if (enc.kind == ToneSpec::Ctcss)
            c.rTone = enc.ctcss;
        if (enc.kind == ToneSpec::Dcs)
            c.code = enc.code;
        if (dec.kind == ToneSpec::Ctcss)
            c.cTone = dec.ctcss;
        if (dec.kind == ToneSpec::Dcs)
            c.rxCode = dec.code;
    }
    return c;
}

QString PowerName(const QString &text)
{
    for (const BiText *p : {&Txt::High, &Txt::Middle, &Txt::Low})
        if (p->matches(text))
            return p->text(false);
    return QString();
}

QStringList ExportRow(const ChannelTable &table, int row)
{
    const int rx = Units(table.cell(row, ColRx));
    const QString txText = table.cell(row, ColTx);
    QString duplex = QStringLiteral("off");
    long long offset = 0;
    if (!txText.isEmpty()) {
        offset = static_cast<long long>(Units(txText)) - rx;
        duplex = offset == 0 ? QString() : offset > 0 ? QStringLiteral("+") : QStringLiteral("-");
    }
    const ToneColumns t = ToneColumnsFor(Classify(table.cell(row, ColEncode)), Classify(table.cell(row, ColDecode)));
    const QString skip = Txt::No.matches(table.cell(row, ColScan)) ? QStringLiteral("S") : QString();
    const QString lock = Txt::Unlock.matches(table.cell(row, ColLock)) ? Txt::Unlock.text(false) : Txt::Lock.text(false);
    return {QString::number(row - 1), table.cell(row, ColName), Mhz(rx), duplex, Mhz(offset < 0 ? -offset : offset),
            t.tone, t.rTone, t.cTone, t.code, t.polarity, t.rxCode, t.cross, QStringLiteral("FM"), StepFor(rx),
            skip, PowerName(table.cell(row, ColPower)), lock, QString(), QString(), QString(), QString()};
}

} // namespace

const QStringList &CommonCsvHeader()
{
    static const QStringList header = {
        QStringLiteral("Location"), QStringLiteral("Name"),         QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),   QStringLiteral("Offset"),       QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"), QStringLiteral("cToneFreq"),   QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),     QStringLiteral("TStep"),        QStringLiteral("Skip"),
        QStringLiteral("Power"),    QStringLiteral("Comment"),      QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"), QStringLiteral("RPT2CALL"),     QStringLiteral("DVCODE")};
    return header;
}

bool IsCommonHeader(const QStringList &header)
{
    for (const QString &name : header) {
        const QString n = name.trimmed();
        if (n.compare(QLatin1String("Location"), Qt::CaseInsensitive) == 0 ||
            n.compare(QLatin1String("Frequency"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ChannelTableCommonCsv(const ChannelTable &table)
{
    QString text = CsvLine(CommonCsvHeader()) + QLatin1Char('\n');
    for (int row = 1; row <= kChannelCount; ++row)
        if (!table.isEmptyChannel(row))
            text += CsvLine(ExportRow(table, row)) + QLatin1Char('\n');
    return text;
}

} // namespace corvane
