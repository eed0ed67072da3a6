#pragma once
// The Optional Features dialog as data: what each control shows for an
// image, what its OK writes back, and the "LABEL=VALUE" words of the
// command line that name a control and one of its items. The dialog, the
// command line and undo all go through these, so they apply one mapping.
#include "image/OptionTable.h"
#include "image/Result.h"

#include <vector>

namespace corvane {

// One control's state: a list index, -1 for no selection; for Beep 1
// ticked and 0 not ticked.
struct OptionChoice {
    const OptionField *field = nullptr;
    int index = -1;
};

// What the dialog shows when it opens on `image`, one choice per field in
// the order of OptionFields().
std::vector<OptionChoice> OptionChoicesFromImage(const MemoryImage &image);

// The dialog's OK for the given controls: each choice is written in the
// fixed write order (OptionWriteOrder); whole-byte fields replace their
// byte, bit fields change only their own bits, and fields without a
// choice are not touched. True when any byte of the image changed.
bool ApplyOptionChoices(const std::vector<OptionChoice> &choices, MemoryImage &image);

// "LABEL=VALUE": LABEL is a label in English or Chinese (case does not
// matter, blanks around it neither), VALUE one of that control's items in
// either language, exactly as listed ("On"/"Off" or "开"/"关" for Beep).
// Refused with Status::Rejected and "option LABEL: MESSAGE", the message
// listing the allowed labels or items in the language `chinese` names;
// `out` is then untouched.
Result ParseOptionSetting(const QString &setting, bool chinese, OptionChoice &out);

} // namespace corvane
