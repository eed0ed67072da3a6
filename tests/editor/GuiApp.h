#pragma once
// One QApplication for a widget-test executable, on the offscreen platform
// unless the environment names another.
#include <QApplication>

namespace editortest {

inline void EnsureApp()
{
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "editor-test";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct AppHolder {
    AppHolder() { EnsureApp(); }
};

} // namespace editortest
