#include "link/VerifyReport.h"

#include "app/LanguageBundle.h"
#include "image/ChannelTable.h"
#include "image/ImagePasses.h"
#include "image/OptionTable.h"
#include "image/Texts.h"
#include "link/LinkStrings.h"
#include "link/WriteCompare.h"

#include <set>

namespace corvane {

namespace {
constexpr int kChannelAreaEnd = kChannelCount * kRecordSize;
constexpr int kNameAreaEnd = kNameAreaStart + kChannelCount * kNameSlotSize;

// The channel whose record or name slot holds offset, or -1.
int ChannelAt(int offset)
{
    if (offset < kChannelAreaEnd)
        return offset / kRecordSize;
    if (offset >= kNameAreaStart && offset < kNameAreaEnd)
        return (offset - kNameAreaStart) / kNameSlotSize;
    return -1;
}

QString Hex(int offset)
{
    return QStringLiteral("0x") + QString::number(offset, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

class Builder {
public:
    Builder(const MemoryImage &doc, const MemoryImage &radio, bool chinese, const LanguageBundle &texts)
        : m_doc(doc), m_radio(radio), m_zh(chinese), m_t(texts)
    {
    }

    QStringList Build()
    {
        std::set<int> channels, options;
        for (int offset : WriteDifferences(m_doc, m_radio)) {
            const int channel = ChannelAt(offset);
            if (channel >= 0)
                channels.insert(channel);
            else
                options.insert(offset);
        }
        Channels(channels);
        Options(options);
        // Option bytes that no option's shown value explains are memory.
        Memory(std::vector<int>(options.begin(), options.end()));
        return m_lines;
    }

private:
    QString Shown(const QString &text) const { return text.isEmpty() ? m_t.String(Ids::VerifyEmpty) : text; }

    void Channels(const std::set<int> &channels)
    {
        if (channels.empty())
            return;
        ChannelTable doc, radio;
        DecodeChannels(m_doc, doc, m_zh);
        DecodeChannels(m_radio, radio, m_zh);
        for (int n : channels) {
            const int row = n + 1;
            const QString label = RowLabel(row).trimmed();
            const int before = m_lines.size();
            for (int col = ColRx; col <= ColName; ++col)
                if (doc.cell(row, col) != radio.cell(row, col))
                    m_lines << m_t.String(Ids::VerifyChannelCell)
                                   .arg(label, ColumnHeading(col).text(m_zh), Shown(doc.cell(row, col)),
                                        Shown(radio.cell(row, col)));
            if (m_lines.size() == before)
                m_lines << m_t.String(Ids::VerifyChannelBytes).arg(label);
        }
    }

    // Removes from `options` every offset an option line accounts for.
    void Options(std::set<int> &options)
    {
        std::set<int> explained;
        for (const OptionField &f : OptionFields()) {
            if (!options.count(f.offset))
                continue;
            const QString doc = OptionValueText(f, m_doc, m_zh), radio = OptionValueText(f, m_radio, m_zh);
            if (doc == radio)
                continue;
            m_lines << m_t.String(Ids::VerifyOption).arg(f.Label(m_zh), Shown(doc), Shown(radio));
            explained.insert(f.offset);
        }
        for (int offset : explained)
            options.erase(offset);
    }

    void Memory(const std::vector<int> &offsets)
    {
        for (std::size_t i = 0; i < offsets.size();) {
            std::size_t j = i + 1;
            while (j < offsets.size() && offsets[j] == offsets[j - 1] + 1)
                ++j;
            const int first = offsets[i], last = offsets[j - 1];
            const QString range = first == last ? Hex(first) : Hex(first) + QStringLiteral("\u2013") + Hex(last);
            m_lines << m_t.String(Ids::VerifyMemory).arg(range);
            i = j;
        }
    }

    const MemoryImage &m_doc;
    const MemoryImage &m_radio;
    bool m_zh;
    const LanguageBundle &m_t;
    QStringList m_lines;
};
} // namespace

QStringList VerifyLines(const MemoryImage &document, const MemoryImage &radio, bool chinese,
                        const LanguageBundle &texts)
{
    return Builder(document, radio, chinese, texts).Build();
}

QString VerifyMessage(const QStringList &lines, const LanguageBundle &texts)
{
    if (lines.isEmpty())
        return texts.String(Ids::VerifyMatches);
    QStringList shown{texts.String(Ids::VerifyDiffers)};
    shown << lines.mid(0, kVerifyShownLines);
    if (lines.size() > kVerifyShownLines)
        shown << texts.String(Ids::VerifyMore).arg(lines.size() - kVerifyShownLines);
    return shown.join(QLatin1Char('\n'));
}

} // namespace corvane
