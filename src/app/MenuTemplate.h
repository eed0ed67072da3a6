#pragma once
// Menus, accelerator tables and toolbars of the language bundle, read from
// JSON files keyed by resource identifier:
//
//   menus.json         { "129": [ { "text": "&File", "items": [
//                          { "id": 57600, "text": "&New\tCtrl+N" }, { "separator": true } ] } ] }
//   accelerators.json  { "128": [ { "key": "Ctrl+N", "id": 57600 } ] }
//   toolbar.json       { "128": { "size": [18, 19], "buttons": [57600, 57601, 0, 57664] } }
//
// Menu texts keep "&" for the mnemonic and show the accelerator after a tab.
// A toolbar button 0 is a separator; the image of button n is
// "toolbar/<n>.png" in the bundle. Keys use the portable QKeySequence form.
#include "image/Result.h"

#include <QSize>
#include <QString>
#include <vector>

struct MenuEntry {
    int id = 0;                    // command; 0 for a separator or a popup
    QString text;
    bool separator = false;
    std::vector<MenuEntry> items;  // entries of a popup (top-level menus)
};

struct Accelerator {
    QString key;
    int id = 0;
};

struct ToolbarTemplate {
    QSize buttonSize;
    std::vector<int> buttons;      // command ids, 0 = separator
};

namespace MenuTemplate {
// Parsers of the JSON texts; on a fault `out` is left untouched.
corvane::Result ParseMenu(const QByteArray &json, int id, std::vector<MenuEntry> &out);
corvane::Result ParseAccelerators(const QByteArray &json, int id, std::vector<Accelerator> &out);
corvane::Result ParseToolbar(const QByteArray &json, int id, ToolbarTemplate &out);

// The same, read from the loaded language bundle.
corvane::Result LoadMenu(int id, std::vector<MenuEntry> &out);
corvane::Result LoadAccelerators(int id, std::vector<Accelerator> &out);
corvane::Result LoadToolbar(int id, ToolbarTemplate &out);
} // namespace MenuTemplate
