#pragma once
// The document commands of the main window: a new document window, opening
// a "*.dat" file into a new window (the visible one is only hidden), Save,
// Save As and Close (which only hides). Saving encodes the grid into the
// image first and writes the file atomically. A file that cannot be opened
// or saved gives a message naming it, and the windows stay as they were.
//
// A new document has no file yet: its first Save is a Save As proposing
// "<AppName>.dat" in the last folder a file was opened from or saved to
// (at first the user's documents folder), so nothing is ever written to a
// path the user did not choose or open. A name given without extension gets
// ".dat", and replacing an existing file is asked about first.
//
// Opening a file over a window whose document has unsaved changes asks the
// unsaved-changes question first (Guard()), which the application's New,
// Exit and Language commands use as well.
#include "app/UnsavedChangesGuard.h"

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
    // False when the file cannot be loaded (after a message) or when the
    // unsaved-changes question was cancelled.
    bool OpenFile(const QString &path);
    void OnFileOpen();
    // False when nothing was written (cancelled or failed).
    bool OnFileSave();
    bool OnFileSaveAs();
    bool Save(CChildFrame *child);
    void OnFileClose();
    bool HasActiveDocument() const;
    UnsavedChangesGuard &Guard() { return m_guard; }

    // File dialog filter and default extension, from string 129.
    QString Filter() const;
    QString DefaultExtension() const;
    // Where the file dialogs start: the folder of the last file opened or
    // saved (kept per user), else the documents folder, else home.
    QString LastFolder() const { return LastFolderOf(m_app); }
    static QString LastFolderOf(const AppState &app);
    // The file a save or export of the document proposes: its own file
    // with `extension` (".dat", ".pdf"), or for a document without a file
    // "<AppName>" + extension in the last folder.
    QString ProposedName(CChildFrame *child, const QString &extension) const;

private:
    bool SaveAs(CChildFrame *child, const QString &proposed);
    bool SaveTo(CChildFrame *child, const QString &path);
    void RememberFolder(const QString &file) const;
    void Message(const QString &text) const;

    AppState &m_app;
    const Prompts &m_prompts;
    CMainFrame &m_frame;
    UnsavedChangesGuard m_guard;
};
