#pragma once
// A dialog template of the language bundle, "dialogs/<id>.json":
//
//   { "caption": "COM Setup", "font": ["Times New Roman", 9], "size": [178, 109],
//     "controls": [ { "id": 1, "kind": "defpush", "text": "OK", "rect": [33, 81, 35, 14] },
//                   { "id": 1007, "kind": "radio", "text": "COM1", "rect": [...],
//                     "flags": ["group"] },
//                   { "id": 1116, "kind": "combo", "rect": [...], "items": ["0", "1"] } ] }
//
// Geometry is in dialog units of the template's font (x: quarter of the
// average character width, y: eighth of the character height). "id" is the
// control identifier (-1 for labels and frames that have none); "items" are
// the initial list entries. Kinds: push, defpush, static, group, radio,
// check, combo, edit, progress, icon, tree, custom. Flags: group (a radio
// starts a new group), right, center, sunken, disabled, vscroll.
#include "image/Result.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

struct DialogControl {
    int id = -1;
    QString kind;
    QString text;
    QRect rect;          // dialog units
    QStringList items;
    QStringList flags;
    QString image;       // bundle file shown by an icon control
    bool Has(const char *flag) const { return flags.contains(QLatin1String(flag)); }
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QString fontFamily = QStringLiteral("Times New Roman");
    int fontPoints = 9;
    QSize size;          // dialog units
    std::vector<DialogControl> controls;

    // First control with that identifier, or nullptr.
    const DialogControl *Find(int controlId) const;

    // Parses the JSON text; a malformed template is refused with
    // Status::Rejected naming the fault, and `out` is left untouched.
    static corvane::Result Parse(const QByteArray &json, DialogTemplate &out);
    // Reads "dialogs/<id>.json" of the loaded language bundle.
    static corvane::Result Load(int id, DialogTemplate &out);
};
