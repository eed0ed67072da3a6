#pragma once
// Copy, Cut, Paste and Delete of whole channel rows of one view, each a
// single undo step. The commands act on the rows selected by their labels
// (editor/RowSelection.h) and are meant for times when no cell editor is
// open; the main window enables them so.
//
// The clipboard carries the rows twice: as CSV text in the layout of
// `corvane-cli show` (header, then one labelled row each; also as
// "text/csv"), so a spreadsheet or text editor receives cells, and as the
// 16 record and 8 name bytes of each row (corvane::kChannelMimeType), so a
// paste in another window or another running program keeps every byte.
//
// Paste starts at the first selected row, or at the current row when none
// is selected, writes over the rows in order and stops at row 200. The
// bytes are taken when they are there; otherwise text (tab- or comma-
// separated, with or without a header, either layout) goes through the
// commit rules. Either way a frequency that the band or raster refuses is
// a problem, every problem is returned, and nothing of that paste is
// applied. The pasted rows end up selected.
#include <QStringList>

class CProgramView;
class QMimeData;

class RowClipboard {
public:
    explicit RowClipboard(CProgramView &view) : m_view(view) {}

    // The selected rows as clipboard data (nullptr without a selection).
    QMimeData *CopyData() const;
    void Copy() const;
    void Cut();
    void Delete();
    // Problems of a refused paste; empty when it was applied or when the
    // data held nothing to paste.
    QStringList Paste(const QMimeData *data);
    QStringList Paste();

private:
    CProgramView &m_view;
};
