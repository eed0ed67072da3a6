#pragma once
// The channel view: the grid of the 200 channels of the document's image,
// with its eight in-cell editors, the commit of an edited cell and the
// keyboard rules (Enter commits and moves on, F1 asks for help).
//
// The view's channel table is the working copy of the channel area while
// the user edits; the grid shows it cell for cell (grid row r, column c is
// table cell (r, c)). RefreshFromImage fills both from the image,
// CommitToImage encodes the table back after committing the open editor.
//
// Editors are children of the grid, hidden until a cell is entered or
// clicked, and laid over the current cell. A cell's text reaches the table
// only through OnLeaveCell, which applies the commit rules of
// editor/CellCommit.h and shows their message first; a commit that changes
// a cell marks the document modified. Typed text is never dropped but by
// Escape: the open editor follows its cell when the grid scrolls
// (CellEditorKeeper), and a rejected frequency leaves the row as it was and
// comes back in the editor of its cell, selected, to be corrected.
//
// Every change of the table goes through the view's undo history
// (ChannelHistory), one step per committed cell that changed; rows are
// selected by their labels (RowSelection) for the row clipboard. The
// history's stack is cleared whenever RefreshFromImage replaces the data.
#include "editor/CCellCombo.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CellEditorKeeper.h"
#include "editor/ChannelHistory.h"
#include "editor/RowSelection.h"
#include "image/ChannelTable.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class CProgramDoc;
class TransferController;
struct AppState;
namespace corvane {
struct CommitRequest;
}

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // Shows a caution message (exclamation icon, OK button) and returns when
    // it has been dismissed. Replaceable so that tests need not block.
    using MessageHook = std::function<void(QWidget *parent, const QString &caption, const QString &text)>;

    // Control ids, also the help contexts of F1.
    enum ControlId {
        IdGrid = 1000,
        IdEditRx = 2127,
        IdEditTx = 2128,
        IdComboDecode = 2132,
        IdComboEncode = 2133,
        IdComboPower = 1129,
        IdComboLock = 1127,
        IdComboScan = 1134,
        IdEditName = 1126,
    };
    static constexpr int kListExtraHeight = 100; // pixels, opened list height
    static constexpr int kNameMaxLength = 6;

    CProgramView(CProgramDoc &doc, AppState &app, QWidget *parent = nullptr);
    ~CProgramView() override;

    CProgramDoc &GetDocument() { return m_doc; }
    // First call: sets up the grid (shape, headings, labels, widths) and the
    // editors. Every call: frame icon "title.ico" and RefreshFromImage.
    void OnInitialUpdate();
    // Fills the table and the grid from the image; sets the band limits and
    // the application caption, and raises StatusNote (empty, or the note
    // that the image's type and band are unknown to the settings). An open
    // editor is closed without commit; the undo history and the row
    // selection are cleared (after a completed read too: the read replaced
    // everything a step could restore).
    void RefreshFromImage();
    // Completes the pending cell edit, then encodes the table into the
    // image; false when the pending edit was a rejected frequency (the
    // message was shown and the text is back in its editor).
    bool CommitToImage();
    // Commits the open in-cell editor; true when a frequency was rejected
    // (the range or the step message was shown; the row is unchanged and
    // the editor reopens on its cell with the typed text selected). Without
    // an open editor it does nothing and returns false.
    bool OnLeaveCell();

    // Grid event handlers.
    void OnEnterCell();
    void OnGridMouseDown(int button, int shift, int x, int y);
    void OnGridScroll();
    // Editor of the grid's current column (the receive editor outside 1-8).
    QWidget *EditorForColumn() const;
    void PlaceEditor();

    CMSFlexGrid &Grid() { return m_grid; }
    const corvane::ChannelTable &Table() const { return m_table; }
    ChannelHistory &History() { return m_history; }
    RowSelection &Selection() { return m_selection; }
    const AppState &App() const { return m_app; }
    corvane::BandLimits Band() const { return {m_nBandLow, m_nBandHigh}; }
    // An in-cell editor is open (also one scrolled out of view).
    bool IsEditorOpen() const;
    // What an option dialog's OK may change, and the record of such an OK
    // as one undo step (which marks the document modified when the image
    // changed).
    ViewImageState ImageState() const;
    void ImageEdited(const ViewImageState &before);
    const QStringList &ToneList() const { return m_toneList; }
    QLineEdit &EditRx() { return m_editRx; }
    QLineEdit &EditTx() { return m_editTx; }
    QLineEdit &EditName() { return m_editName; }
    CCellCombo &ComboDecode() { return m_comboDecode; }
    CCellCombo &ComboEncode() { return m_comboEncode; }
    CCellCombo &ComboPower() { return m_comboPower; }
    CCellCombo &ComboLock() { return m_comboLock; }
    CCellCombo &ComboScan() { return m_comboScan; }

    // Radio transfers and the port setup (link/TransferController.h).
    TransferController &Transfer() { return *m_transfer; }
    void OnRead();
    void OnWrite();
    void OnVerify();
    void OnStartTransfer();
    void OnComSetup();

    // nullptr restores the message box.
    static void SetMessageHook(MessageHook hook);

    QSize sizeHint() const override;

    int m_nBandLow = 0;  // lowest receive/transmit frequency, 10 Hz units
    int m_nBandHigh = 0; // highest, inclusive
    QString m_strPort = QStringLiteral("COM1");

signals:
    void StatusNote(const QString &note);
    // An editor opened or closed, the selection or the history changed:
    // the Edit commands' states may have changed.
    void EditStateChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void SetupGrid();
    void SetupEditors();
    void LoadFrameIcon();
    void ShowTableRow(int row);
    void HideEditor(QWidget *editor);
    void ApplyCommit(const corvane::CommitRequest &req);
    void ReopenHeld();
    QRect EditorRect() const;
    void HideAllEditors();
    QList<QWidget *> Editors();
    static QString EditorText(const QWidget *editor);
    void ShowMessage(int id);
    void OnEnterKey();
    static int ControlIdOf(const QObject *target);
    QSize DialogUnits(int x, int y) const;

    CProgramDoc &m_doc;
    AppState &m_app;
    bool m_bFirstInit = true;
    CMSFlexGrid m_grid; // parent of the editors below: declared first
    QLineEdit m_editRx;
    QLineEdit m_editTx;
    CCellCombo m_comboDecode;
    CCellCombo m_comboEncode;
    CCellCombo m_comboPower;
    CCellCombo m_comboLock;
    CCellCombo m_comboScan;
    QLineEdit m_editName;
    CellEditorKeeper m_keeper; // before the grid's events are connected
    QStringList m_toneList;
    corvane::ChannelTable m_table;
    ChannelHistory m_history;
    RowSelection m_selection;
    std::unique_ptr<TransferController> m_transfer; // last: goes first
};
