#pragma once
// The one question before anything discards a document's unsaved changes:
// leaving the program, a change of language with its restart, a file opened
// over the visible window, File New. The pending cell edit is committed
// first; when the document then differs from its file, the user is asked
// once: Save, Discard or Cancel, in the current language. Save runs the
// program's Save (Save As for a document that has no file yet); a save that
// is cancelled or fails counts as Cancel, and Cancel leaves everything as
// it was. A typed frequency that the commit rejects has been reported and
// is back in its editor, so it cancels the action too.
#include <QList>
#include <QString>
#include <functional>

class CChildFrame;
class QWidget;
struct AppState;
struct Prompts;

class UnsavedChangesGuard {
public:
    enum Outcome {
        Unchanged, // nothing unsaved (with a lead text: OK was chosen)
        Saved,
        Discarded,
        Cancelled,
    };
    // Saves the document of a window; false when cancelled or failed.
    using SaveFn = std::function<bool(CChildFrame *)>;

    UnsavedChangesGuard(AppState &app, const Prompts &prompts, QWidget *parent, SaveFn save);

    // Asks about the document of `child` (nullptr: Unchanged). With a lead
    // text that text is the question itself: OK / Cancel while nothing is
    // unsaved, else followed by the offer to save first (Save / Discard /
    // Cancel), so that the user is asked only once.
    Outcome Confirm(CChildFrame *child, const QString &lead = QString());
    // Each window in turn; false at the first Cancel.
    bool ConfirmAll(const QList<CChildFrame *> &children);

    static bool MayProceed(Outcome o) { return o != Cancelled; }

private:
    AppState &m_app;
    const Prompts &m_prompts;
    QWidget *m_parent;
    SaveFn m_save;
};
