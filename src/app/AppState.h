#pragma once
// Process-wide state, set during start-up and read everywhere: the settings
// store, the language, the language bundle, the help file name, the
// new-document flag and the application caption. The desktop program and
// the command line each own one instance and pass it by reference.
#include "app/LanguageBundle.h"
#include "settings/CProfileFile.h"

#include <QString>
#include <functional>

struct AppState {
    CProfileFile settings;
    QByteArray languageName;  // "Setup"/"Language", also the language section
    bool chinese = false;     // exactly "Chinese", case-sensitive
    QString helpFile;         // "chHelp.chm" or "enHelp.chm"
    LanguageBundle bundle;
    bool newDocument = false; // 1 after File New, 0 after open / completed read
    QString caption;          // the main window's caption
    QString appName;          // language section "Company": message box caption

    // Applied by the main window when the caption changes; may be empty.
    std::function<void(const QString &)> captionSink;

    // Sets language name, flag and help file from the loaded settings.
    void ApplyLanguage(const QByteArray &name);
    // "Setup"/"AppName": the per-user store group and the name a new
    // document proposes for its first save.
    QByteArray RegistryName() const { return settings.GetString("Setup", "AppName"); }
    // Value of a key of the language section, decoded for display.
    QString LanguageText(const QByteArray &key) const { return settings.Text(languageName, key); }
    void SetCaption(const QString &text);
    // Caption of message boxes that name none: "Company" once start-up has
    // read it, the program's name before.
    QString MessageCaption() const;
};
