#pragma once
// Where to write a file the user saves or exports: the save dialog, then
// the extension added to a name typed without one. The dialog asks about
// replacing the names it returns; a name completed here that exists is
// asked about here (Yes / No), so no file is ever replaced unasked.
#include <QString>

class QWidget;
struct AppState;
struct Prompts;

// `extension` with its dot (".dat", ".pdf"). Empty when cancelled.
QString AskSaveFile(const AppState &app, const Prompts &prompts, QWidget *parent, const QString &title,
                    const QString &proposed, const QString &filter, const QString &extension);
