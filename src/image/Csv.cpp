#include "image/Csv.h"

namespace corvane {

namespace {

class CsvParser {
public:
    CsvParser(const QString &text, QChar separator) : m_text(text), m_sep(separator) {}

    bool Run(QList<CsvRecord> &records, QString &error)
    {
        if (m_text.startsWith(QChar(0xFEFF)))
            m_pos = 1;
        while (m_pos < m_text.size()) {
            CsvRecord rec;
            rec.line = m_line;
            if (!ReadRecord(rec.fields, error))
                return false;
            // A blank line is no record.
            if (!(rec.fields.size() == 1 && rec.fields[0].isEmpty()))
                records << rec;
        }
        return true;
    }

private:
    bool Fail(QString &error, const QString &why)
    {
        error = QStringLiteral("line %1: %2").arg(m_line).arg(why);
        return false;
    }

    bool AtLineEnd() const
    {
        return m_pos >= m_text.size() || m_text[m_pos] == QLatin1Char('\n')
               || (m_text[m_pos] == QLatin1Char('\r') && m_pos + 1 < m_text.size()
                   && m_text[m_pos + 1] == QLatin1Char('\n'))
               || (m_text[m_pos] == QLatin1Char('\r') && m_pos + 1 == m_text.size());
    }

    void SkipLineEnd()
    {
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\r'))
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n'))
            ++m_pos;
        ++m_line;
    }

    bool ReadQuoted(QString &field, QString &error)
    {
        const int startLine = m_line;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size()) {
                m_line = startLine;
                return Fail(error, QStringLiteral("unterminated quoted field"));
            }
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char('"')) {
                if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
                    field += c;
                    ++m_pos;
                    continue;
                }
                if (!AtLineEnd() && m_text[m_pos] != m_sep)
                    return Fail(error, QStringLiteral("text after a closing quote"));
                return true;
            }
            if (c == QLatin1Char('\n'))
                ++m_line;
            field += c;
        }
    }

    bool ReadRecord(QStringList &fields, QString &error)
    {
        for (;;) {
            QString field;
            if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
                if (!ReadQuoted(field, error))
                    return false;
            } else {
                while (!AtLineEnd() && m_text[m_pos] != m_sep) {
                    if (m_text[m_pos] == QLatin1Char('"'))
                        return Fail(error, QStringLiteral("quote inside an unquoted field"));
                    field += m_text[m_pos++];
                }
            }
            fields << field;
            if (AtLineEnd()) {
                SkipLineEnd();
                return true;
            }
            ++m_pos; // the comma
        }
    }

    const QString &m_text;
    const QChar m_sep;
    int m_pos = 0;
    int m_line = 1;
};

} // namespace

bool ParseCsv(const QString &text, QList<CsvRecord> &records, QString &error, QChar separator)
{
    records.clear();
    return CsvParser(text, separator).Run(records, error);
}

QString CsvField(const QString &field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))
        && !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvLine(const QStringList &fields)
{
    QStringList out;
    for (const QString &f : fields)
        out << CsvField(f);
    return out.join(QLatin1Char(','));
}

} // namespace corvane
