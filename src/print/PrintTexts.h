#pragma once
// The fixed texts of the printed listing (titles, labels, heading and
// counter) and the sixteen lines of the option page. Labels are printed
// exactly as defined here: "Busy", "LED" and "Encoder" carry no colon.
// Values never come from here: channel values are the grid's texts, option
// values the option table's items, so that the printed text of every value
// the Optional Features dialog offers is the dialog's own text.
#include "image/MemoryImage.h"
#include "image/Texts.h"

#include <QString>
#include <vector>

namespace corvane {

struct OptionField;

namespace PrintTxt {
extern const BiText OptionTitle;   // "Option" / "可选功能"
extern const BiText FunctionTitle; // "Function" / "功能"
extern const BiText ChannelTitle;  // "Channel" / "信道"
extern const BiText ChannelHeading; // "Channel %1:" / "信道%1:"
// The channel block's labels, left and right column of lines 5 to 7 and
// the name on line 8.
extern const BiText ReceiveFrequency, TransmitFrequency, DecodeTone, EncodeTone, Power, ChannelLock,
    ChannelName;
// "Page %1 of %2" in both languages.
QString PageCounter(int page, int pageCount);
} // namespace PrintTxt

// One line of the option page: which option it shows and how the stored
// bits become the printed text.
struct PrintOptionLine {
    // How a stored value beyond the dialog's list prints.
    enum class Beyond {
        None,      // bit fields: the dialog's reading covers every value
        Number,    // the value, "%d"
        LastItem,  // the list's last item (Step: "25k")
        Fifths     // value x 0.2, "%1.1f" (Battery Saver)
    };
    BiText label;
    const char *option; // English label of the option-table field
    int mask;           // bits printed; 0 for bit fields (read as the dialog reads them)
    Beyond beyond;

    const OptionField &Field() const;
    // The printed value for the image, in the language.
    QString Value(const MemoryImage &image, bool chinese) const;
};

// Lines 5 to 20 of the option page, in order.
const std::vector<PrintOptionLine> &PrintOptionLines();

} // namespace corvane
