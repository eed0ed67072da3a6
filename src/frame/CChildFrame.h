#pragma once
// A document window: the channel view over one document, inside the main
// window's client area. It owns the document; destroying the window ends
// the document. A close request (close box, File Close, another file
// opened) only hides the window; "Channel Information" shows it again.
#include <QMdiSubWindow>
#include <memory>

class CProgramDoc;
class CProgramView;
struct AppState;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Initial place (0, 0), size 1600 x 1200 pixels; the title is the
    // document's title. The window follows the document's modified state
    // (it takes the document's modifiedChanged callback).
    CChildFrame(std::unique_ptr<CProgramDoc> doc, AppState &app, QWidget *parent = nullptr);
    ~CChildFrame() override;

    CProgramDoc &GetDocument() { return *m_doc; }
    CProgramView *GetView() const { return m_view; }
    // Takes the document's title again (after a save under a new name),
    // followed by "*" while the document has unsaved changes.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<CProgramDoc> m_doc;
    CProgramView *m_view;
};
