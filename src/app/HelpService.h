#pragma once
// Context help: every window's F1 asks for (help file, numeric context).
// The file is opened with the desktop's viewer when both it and a viewer
// exist; otherwise nothing happens. Tests install a recorder instead.
#include <QString>
#include <functional>

class HelpService {
public:
    using Handler = std::function<void(const QString &file, int context)>;

    static void Show(const QString &file, int context);
    // Replaces the default handler (nullptr restores it).
    static void SetHandler(Handler h);
};
