#pragma once
// The document commands of the main window: a new document window, opening
// a "*.dat" file into a new window (the visible one is only hidden), Save,
// Save As and Close (which only hides). Saving encodes the grid into the
// image first and writes the file atomically. Nothing ever asks whether to
// save. A file that cannot be opened or saved gives a message naming it,
// and the windows stay as they were.
#include <QString>

class CChildFrame;
class CMainFrame;
struct AppState;
struct Prompts;

class DocumentCommands {
public:
    DocumentCommands(AppState &app, const Prompts &prompts, CMainFrame &frame);

    // A new document in a new window; never asks anything.
    void NewDocument();
    // False (after a message) when the file cannot be loaded.
    bool OpenFile(const QString &path);
    void OnFileOpen();
    // False when nothing was written (cancelled or failed).
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFileClose();
    bool HasActiveDocument() const;

    // File dialog filter and default extension, from string 129.
    QString Filter() const;
    QString DefaultExtension() const;

private:
    bool SaveAs(CChildFrame *child, const QString &proposed);
    bool SaveTo(CChildFrame *child, const QString &path);
    void Message(const QString &text) const;

    AppState &m_app;
    const Prompts &m_prompts;
    CMainFrame &m_frame;
};
