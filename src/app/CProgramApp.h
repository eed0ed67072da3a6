#pragma once
// The application object: the start-up sequence and the commands of the
// application (New with confirmation, Open, About, Language with restart,
// Print Setup), routed to it from the main window.
//
// Every action that discards documents (New, Exit, the main window's close
// box, Language with its restart, Open over the visible window) asks about
// unsaved changes first, through DocumentCommands::Guard().
//
// Start-up, in this order: settings from "Program.ini" beside the program;
// language name, flag and help file; the language bundle "<Language>.rcc"
// from the program's folder (failure: the message "Load language DLL
// fail" and false, no window); the main window; the command line (no
// argument: a new document, else that file opened); shown maximized and
// painted; the window icon ("title.ico" from the current folder, else the
// bundle's icon 128); the message-box caption ("Company"); the Help menu's
// first entry ("About Title"); the Language entry removed unless
// "Setup"/"ShowLang" is a non-zero number.
#include "app/Prompts.h"

#include <QObject>
#include <QStringList>
#include <memory>

class CMainFrame;
class DocumentCommands;
class EditCommands;
class PrintCommands;
class QPrinter;
struct AppState;

class CProgramApp : public QObject {
    Q_OBJECT
public:
    CProgramApp(AppState &app, Prompts prompts);
    ~CProgramApp() override;

    // False when start-up failed; the caller then exits with a non-zero
    // status. `arguments` excludes the program name.
    bool InitInstance(const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    DocumentCommands *Documents() const { return m_docs.get(); }
    EditCommands *Edits() const { return m_edit.get(); }
    PrintCommands *Printing() const { return m_print.get(); }
    Prompts &UserPrompts() { return m_prompts; }
    // The printer the print commands share, created on first use.
    QPrinter &Printer();

    void OnFileNew();
    void OnAppAbout();
    void OnLanguage();
    void OnFilePrintSetup();


private:
    void RegisterCommands();
    void SetMainIcon();
    void AdaptMenus();
    QMessageBox::StandardButton Message(const QString &text, QMessageBox::StandardButtons buttons);

    AppState &m_app;
    Prompts m_prompts;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<DocumentCommands> m_docs;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<QPrinter> m_printer;
    bool m_closeConfirmed = false; // unsaved changes already asked about
    std::unique_ptr<PrintCommands> m_print;
};
