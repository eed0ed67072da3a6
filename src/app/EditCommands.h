#pragma once
// The Edit menu's Undo, Redo, Cut, Copy, Paste and Delete, and File's
// Import CSV... and Export CSV..., on the active document's view.
//
// Undo and Redo first commit the open cell editor, as leaving the cell
// does (a refused frequency stops them there), then take one step of the
// view's history. Cut, Copy, Paste and Delete act on whole rows and are
// enabled only while no cell editor is open (Cut, Copy and Delete also
// need selected rows); a refused paste lists every problem in one
// message and changes nothing.
//
// Import asks for a file, reads it as either CSV layout and applies it as
// one undo step; when any cell is refused, or the file cannot be read or
// parsed, every problem is listed in one scrollable message and nothing
// changes. Export writes the grid (the open editor committed first) in the
// layout chosen in the file dialog, atomically, asking before it replaces
// a file.
#include <QString>

class CMainFrame;
class DocumentCommands;
class CProgramView;
struct AppState;
struct Prompts;

class EditCommands {
public:
    // Registers the eight commands with the frame's router. The CSV file
    // dialogs start where the document commands' dialogs do.
    EditCommands(AppState &app, const Prompts &prompts, CMainFrame &frame, const DocumentCommands &docs);

    void OnUndo();
    void OnRedo();
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnDelete();
    void OnImportCsv();
    void OnExportCsv();

private:
    CProgramView *View() const;
    bool RowCommandsAllowed() const;
    void ImportFile(CProgramView *view, const QString &path);

    AppState &m_app;
    const Prompts &m_prompts;
    CMainFrame &m_frame;
    const DocumentCommands &m_docs;
    int m_layout = 0; // export filter chosen last: 0 table, 1 common
};
