#include "editor/CProgramView.h"

#include "app/AppState.h"
#include "app/HelpService.h"
#include "editor/CNameValidator.h"
#include "editor/CellCommit.h"
#include "editor/GridColumnFit.h"
#include "image/CProgramDoc.h"
#include "image/Codecs.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"
#include "link/TransferController.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMessageBox>

namespace {

constexpr int kGridRows = 201;
constexpr int kGridCols = 9;
constexpr int kLastCol = 8;
const QColor kFixedTextColor(0, 50, 240);
const Qt::Alignment kCellAlignment = Qt::AlignCenter; // every column, and its editor
const char *const kIdProperty = "controlId";

// The form: 429 x 231 dialog units, the grid at (17, 13), 397 x 205.
constexpr int kFormW = 429, kFormH = 231, kGridX = 17, kGridY = 13, kGridW = 397, kGridH = 205;

CProgramView::MessageHook &Hook()
{
    static CProgramView::MessageHook hook;
    return hook;
}

bool IsEnter(const QKeyEvent *e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

} // namespace

CProgramView::CProgramView(CProgramDoc &doc, AppState &app, QWidget *parent)
    : QWidget(parent), m_doc(doc), m_app(app), m_grid(this), m_editRx(&m_grid), m_editTx(&m_grid),
      m_comboDecode(kListExtraHeight, &m_grid), m_comboEncode(kListExtraHeight, &m_grid),
      m_comboPower(kListExtraHeight, &m_grid), m_comboLock(kListExtraHeight, &m_grid),
      m_comboScan(kListExtraHeight, &m_grid), m_editName(&m_grid),
      m_keeper(m_grid, [this] { return EditorRect(); }, [this] { HideEditor(EditorForColumn()); }),
      m_history(doc, m_table, m_grid), m_selection(m_grid, [this] { return !OnLeaveCell(); })
{
    // The form's font, also the font of the in-cell editors.
    QFont form = font();
    if (!app.chinese)
        form.setFamily(QStringLiteral("Times New Roman"));
    form.setPointSize(9);
    setFont(form);

    m_grid.setProperty(kIdProperty, int(IdGrid));
    m_grid.installEventFilter(this);
    auto *layout = new QHBoxLayout(this);
    const QSize topLeft = DialogUnits(kGridX, kGridY);
    const QSize bottomRight = DialogUnits(kFormW - kGridX - kGridW, kFormH - kGridY - kGridH);
    layout->setContentsMargins(topLeft.width(), topLeft.height(), bottomRight.width(), bottomRight.height());
    layout->addWidget(&m_grid);
    setFocusProxy(&m_grid);
    for (QWidget *e : Editors())
        e->hide();

    connect(&m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::OnEnterCell);
    connect(&m_grid, &CMSFlexGrid::LeaveCell, this, [this] { OnLeaveCell(); });
    connect(&m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnGridMouseDown);
    connect(&m_grid, &CMSFlexGrid::Scroll, this, &CProgramView::OnGridScroll);
    connect(&m_history, &ChannelHistory::Changed, this, &CProgramView::EditStateChanged);
    connect(&m_history, &ChannelHistory::RowsRestored, &m_selection, &RowSelection::Select);
    connect(&m_selection, &RowSelection::Changed, this, &CProgramView::EditStateChanged);
    m_transfer = std::make_unique<TransferController>(*this, app);
}

// The grid outlives the editors it holds; nothing it raises while it goes
// may reach the half-destroyed view.
CProgramView::~CProgramView() { m_grid.disconnect(this); }

QList<QWidget *> CProgramView::Editors()
{
    return {&m_editRx, &m_editTx, &m_comboDecode, &m_comboEncode, &m_comboPower, &m_comboLock, &m_comboScan, &m_editName};
}

// Pixels of x by y dialog units of the form's font.
QSize CProgramView::DialogUnits(int x, int y) const
{
    const QFontMetrics fm(font());
    const int baseX = qMax(1, (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2);
    const int baseY = qMax(1, fm.height());
    return QSize(x * baseX / 4, y * baseY / 8);
}

QSize CProgramView::sizeHint() const { return DialogUnits(kFormW, kFormH); }

void CProgramView::OnInitialUpdate()
{
    if (m_bFirstInit) {
        SetupGrid();
        m_bFirstInit = false;
    }
    LoadFrameIcon();
    RefreshFromImage();
}

void CProgramView::SetupGrid()
{
    m_toneList = corvane::ToneList(m_app.chinese);
    m_grid.SetRows(kGridRows);
    m_grid.SetCols(kGridCols);
    m_grid.SetHighLight(false);
    m_grid.SetForeColorFixed(kFixedTextColor);
    SetupEditors();

    const QStringList headings = corvane::ColumnHeadings(m_app.chinese);
    for (int c = 0; c < kGridCols; ++c)
        m_grid.SetTextMatrix(0, c, headings.value(c));
    for (int r = 1; r < kGridRows; ++r)
        m_grid.SetTextMatrix(r, 0, corvane::RowLabel(r));
    for (int c = 0; c < kGridCols; ++c)
        m_grid.SetColAlignment(c, kCellAlignment);

    // The nine columns (9.3 default widths in all) fill the grid; at the
    // least they fill the grid of the form, as the grid's own default width
    // did on the form it was laid out for.
    auto *fit = new GridColumnFit(m_grid, {0.5, 1.3, 1.3, 1.1, 1.1, 1, 1, 1, 1}, DialogUnits(kGridW, 0).width());
    connect(fit, &GridColumnFit::Fitted, &m_keeper, &CellEditorKeeper::FollowCell);
}

void CProgramView::SetupEditors()
{
    const struct { QWidget *editor; ControlId id; } ids[] = {
        {&m_editRx, IdEditRx}, {&m_editTx, IdEditTx}, {&m_comboDecode, IdComboDecode},
        {&m_comboEncode, IdComboEncode}, {&m_comboPower, IdComboPower}, {&m_comboLock, IdComboLock},
        {&m_comboScan, IdComboScan}, {&m_editName, IdEditName},
    };
    for (const auto &e : ids) {
        e.editor->setFont(font());
        e.editor->setProperty(kIdProperty, int(e.id));
        e.editor->installEventFilter(this);
        m_keeper.Watch(e.editor);
        e.editor->hide();
    }
    // The editors align their text as the cells do.
    for (QLineEdit *edit : {&m_editRx, &m_editTx, &m_editName}) {
        edit->setFrame(false);
        edit->setAlignment(kCellAlignment);
    }
    m_editName.setMaxLength(kNameMaxLength);
    m_editName.setValidator(new CNameValidator(&m_editName));

    m_comboDecode.addItems(m_toneList);
    m_comboEncode.addItems(m_toneList);
    m_comboPower.addItems(corvane::PowerItems(m_app.chinese));
    m_comboLock.addItems(corvane::LockItems(m_app.chinese));
    m_comboScan.addItems(corvane::ScanItems(m_app.chinese));
    for (CCellCombo *c : {&m_comboDecode, &m_comboEncode, &m_comboPower, &m_comboLock, &m_comboScan}) {
        c->view()->setFont(font());
        c->view()->installEventFilter(this); // keys of the opened list
    }
}

// "title.ico" of the current folder becomes the frame's icon; without it
// the frame keeps the icon it has.
void CProgramView::LoadFrameIcon()
{
    QImageReader reader(QDir::current().filePath(QStringLiteral("title.ico")));
    const QImage icon = reader.read();
    if (icon.isNull())
        return;
    QWidget *frame = window();
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QMdiSubWindow *>(w) || w->isWindow()) {
            frame = w;
            break;
        }
    }
    frame->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void CProgramView::RefreshFromImage()
{
    // Uncommitted editor text belongs to the data being replaced.
    HideAllEditors();
    const corvane::RefreshOutcome r = corvane::RefreshFromImage(m_doc.m_image, m_table, m_app);
    m_nBandLow = r.bandLow;
    m_nBandHigh = r.bandHigh;
    for (int row = 1; row <= corvane::kChannelCount; ++row)
        ShowTableRow(row);
    m_app.SetCaption(r.caption);
    m_history.Clear();
    m_selection.Clear();
    const int type = m_doc.m_image.option(corvane::Off::radioType) + 1;
    const int band = m_doc.m_image.option(corvane::Off::bandIndex) + 1;
    emit StatusNote(r.unknownBand ? m_app.bundle.String(Ids::UnknownBand).arg(type).arg(band) : QString());
}

void CProgramView::ShowTableRow(int row)
{
    for (int c = corvane::ColRx; c <= corvane::ColName; ++c)
        m_grid.SetTextMatrix(row, c, m_table.cell(row, c));
}

bool CProgramView::CommitToImage()
{
    const bool rejected = OnLeaveCell();
    corvane::CommitToImage(m_table, m_doc.m_image);
    return !rejected;
}

QString CProgramView::EditorText(const QWidget *editor)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(editor))
        return combo->currentText();
    return static_cast<const QLineEdit *>(editor)->text();
}

bool CProgramView::OnLeaveCell()
{
    QWidget *editor = EditorForColumn();
    // Not isVisible: an edit pending in a window that is itself hidden, or
    // in an editor whose cell is scrolled out of view, is still committed.
    if (!m_keeper.IsOpen(editor))
        return false;
    corvane::CommitRequest req;
    req.row = m_grid.Row();
    req.col = m_grid.Col();
    req.editorText = EditorText(editor);
    req.bandLow = m_nBandLow;
    req.bandHigh = m_nBandHigh;
    req.chinese = m_app.chinese;
    // Hidden first, so that a commit started while the message is open
    // finds nothing to do.
    HideEditor(editor);
    const corvane::CommitOutcome outcome = corvane::PreviewCommit(m_table, req);
    if (!outcome.rejectedFrequency()) {
        ApplyCommit(req);
        return false;
    }
    ShowMessage(outcome.messageId);
    // The row keeps its data and the text returns to its cell's editor; on
    // the way to another cell, as that cell is entered.
    m_keeper.Hold(req.row, req.col, req.editorText);
    if (!m_keeper.CellChanging())
        ReopenHeld();
    return true;
}

// The one place where a committed cell changes the channel table: one
// undo step when the row changed (the history marks the document).
void CProgramView::ApplyCommit(const corvane::CommitRequest &req)
{
    corvane::ChannelTable after = m_table;
    corvane::CommitCell(after, req);
    m_history.ApplyRows(after, m_doc.m_image, {req.row});
}

bool CProgramView::IsEditorOpen() const { return m_keeper.IsOpen(EditorForColumn()); }

ViewImageState CProgramView::ImageState() const { return {m_doc.m_image, m_nBandLow, m_nBandHigh, m_app.caption}; }

void CProgramView::ImageEdited(const ViewImageState &before)
{
    m_history.ImageChanged(before, ImageState(), [this](const ViewImageState &s) {
        m_doc.m_image = s.image;
        m_nBandLow = s.bandLow;
        m_nBandHigh = s.bandHigh;
        m_app.SetCaption(s.caption);
    });
}

void CProgramView::ReopenHeld()
{
    const CellEditorKeeper::Held held = m_keeper.TakeHeld();
    if (m_grid.Row() != held.row || m_grid.Col() != held.col)
        m_grid.SetRowCol(held.row, held.col); // entering it opens the editor
    else
        OnEnterCell();
    if (auto *edit = qobject_cast<QLineEdit *>(EditorForColumn())) {
        edit->setText(held.text);
        edit->selectAll();
    }
}

QWidget *CProgramView::EditorForColumn() const
{
    auto *self = const_cast<CProgramView *>(this);
    switch (m_grid.Col()) {
    case corvane::ColTx: return &self->m_editTx;
    case corvane::ColDecode: return &self->m_comboDecode;
    case corvane::ColEncode: return &self->m_comboEncode;
    case corvane::ColPower: return &self->m_comboPower;
    case corvane::ColLock: return &self->m_comboLock;
    case corvane::ColScan: return &self->m_comboScan;
    case corvane::ColName: return &self->m_editName;
    default: return &self->m_editRx;
    }
}

void CProgramView::OnEnterCell()
{
    if (m_keeper.HasHeld()) {
        ReopenHeld();
        return;
    }
    const QString text = m_grid.Text();
    QWidget *editor = EditorForColumn();
    // A name read from the radio may fill all 8 places of its slot: the
    // editor shows it whole rather than cut it; other cells keep to 6.
    if (editor == &m_editName)
        m_editName.setMaxLength(qMax(kNameMaxLength, static_cast<int>(text.size())));
    if (auto *combo = qobject_cast<CCellCombo *>(editor))
        combo->setCurrentIndex(combo->IndexForCellText(text));
    else
        static_cast<QLineEdit *>(editor)->setText(text);
    PlaceEditor();
}

// A click in the grid while the current cell's editor is open keeps what
// was typed there.
void CProgramView::OnGridMouseDown(int, int, int, int)
{
    QWidget *editor = EditorForColumn();
    if (!m_keeper.IsOpen(editor))
        OnEnterCell();
    else if (!editor->isHidden())
        editor->setFocus(Qt::OtherFocusReason);
}

// Exactly the current cell, in the grid's pixels: the grid measures its
// cells from its own outer edge, as the editors' parent does. A list is as
// tall as the cell while closed; its opened list adds kListExtraHeight.
QRect CProgramView::EditorRect() const { return m_grid.CellRect(m_grid.Row(), m_grid.Col()); }

void CProgramView::PlaceEditor()
{
    QWidget *editor = EditorForColumn();
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(m_grid.Text());
        edit->selectAll(); // typing replaces the cell's text
    }
    editor->setGeometry(EditorRect());
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    m_keeper.Opened(editor);
    m_grid.viewport()->update();
    emit EditStateChanged();
}

void CProgramView::HideEditor(QWidget *editor)
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->hidePopup();
    // Focus goes back to the grid rather than to whatever widget follows.
    if (editor->hasFocus())
        m_grid.setFocus(Qt::OtherFocusReason);
    editor->hide();
    m_keeper.Closed(editor);
    emit EditStateChanged();
}

void CProgramView::HideAllEditors()
{
    for (QWidget *e : Editors())
        HideEditor(e);
}

void CProgramView::OnGridScroll()
{
    m_keeper.FollowCell();
    m_grid.viewport()->update();
}

void CProgramView::OnRead() { m_transfer->OnRead(); }
void CProgramView::OnWrite() { m_transfer->OnWrite(); }
void CProgramView::OnVerify() { m_transfer->OnVerify(); }
void CProgramView::OnStartTransfer() { m_transfer->OnStartTransfer(); }
void CProgramView::OnComSetup() { m_transfer->OnComSetup(); }

void CProgramView::SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void CProgramView::ShowMessage(int id)
{
    const QString caption = m_app.bundle.String(Ids::Caution);
    const QString text = corvane::RejectionMessage(id, m_nBandLow, m_nBandHigh, m_app.bundle);
    if (Hook()) {
        Hook()(this, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.exec();
}

void CProgramView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    bool editorOpen = false;
    for (QWidget *e : Editors())
        editorOpen = editorOpen || !e->isHidden();
    if (!editorOpen)
        m_grid.setFocus(Qt::OtherFocusReason);
}

int CProgramView::ControlIdOf(const QObject *target)
{
    // The opened list of a combo is a pop-up whose parent is the combo.
    for (const QObject *o = target; o; o = o->parent()) {
        const QVariant id = o->property(kIdProperty);
        if (id.isValid())
            return id.toInt();
    }
    return IdGrid;
}

// Enter: commit the open editor, stay after a rejected frequency, else
// move to the next cell (column 8 to the next row, the last cell to row 1
// column 1) in one change of the current cell, so that no cell on the way
// is entered and committed.
void CProgramView::OnEnterKey()
{
    if (OnLeaveCell())
        return;
    const int row = m_grid.Row();
    const int col = m_grid.Col();
    if (col < kLastCol)
        m_grid.SetCol(col + 1);
    else if (row < m_grid.Rows() - 1)
        m_grid.SetRowCol(row + 1, 1);
    else
        m_grid.SetRowCol(1, 1);
}

bool CProgramView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride && ChannelHistory::IsHistoryKey(watched, key)) {
        event->ignore(); // left to the window's Undo and Redo
        return true;
    }
    // The keys are taken whatever modifiers are held with them.
    const bool enter = IsEnter(key);
    const bool f1 = key->key() == Qt::Key_F1;
    if (!enter && !f1)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // deliver these keys here, not to window shortcuts
        return true;
    }
    if (f1) {
        HelpService::Show(m_app.helpFile, ControlIdOf(watched));
        return true;
    }
    // Enter in an opened list picks the highlighted item first.
    for (CCellCombo *c : {&m_comboDecode, &m_comboEncode, &m_comboPower, &m_comboLock, &m_comboScan}) {
        if (watched == c->view()) {
            c->setCurrentIndex(c->view()->currentIndex().row());
            c->hidePopup();
        }
    }
    OnEnterKey();
    return true;
}
