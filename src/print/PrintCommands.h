#pragma once
// The print commands of the desktop program on the active document: Print
// (the system print dialog, pages 1 to N), print direct (all pages on the
// current printer), Print Preview and Export PDF. All of them first commit
// the open in-cell editor, so the listing shows what the grid shows, and
// take the channels from the grid and the options from the image. They
// share the application's printer, so the choice of Print Setup holds for
// the next print, preview and export.
//
// Without an installed printer, preview and export still work; Print and
// print direct say that no printer is available.
#include <QString>
#include <functional>
#include <memory>

class CChildFrame;
class CProgramDoc;
class CMainFrame;
class CommandRouter;
class DocumentCommands;
class QPrinter;
class QWidget;
struct AppState;
struct Prompts;

namespace corvane {
class PrintPageModel;
}

namespace Ids {
constexpr int NoPrinter = 61760;      // no printer installed
constexpr int PdfFilter = 61761;      // filter name of the PDF file dialog
constexpr int PdfWriteFailed = 61762; // %1 file name
constexpr int PrintFailed = 61764;    // %1 printer name
} // namespace Ids

class PrintCommands {
public:
    // The dialogs, replaceable so that tests and scripted runs need not
    // block. `paint` draws the listing on the printer it is given.
    struct Dialogs {
        using Paint = std::function<void(QPrinter *)>;
        // System print dialog with the page range 1..pageCount; false when cancelled.
        std::function<bool(QPrinter &printer, int pageCount, QWidget *parent)> print;
        std::function<void(QPrinter &printer, const QString &title, const Paint &paint, QWidget *parent)> preview;
        std::function<bool()> printerAvailable;

        static Dialogs Interactive();
    };

    PrintCommands(AppState &app, const Prompts &prompts, CMainFrame &frame, DocumentCommands &docs,
                  std::function<QPrinter &()> printer);
    ~PrintCommands();

    // Print, print direct, Print Preview, Export PDF; enabled with a document.
    void Register(CommandRouter &router);
    void SetDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // False when nothing was written (cancelled, refused or failed).
    bool OnExportPdf();

    // The listing of the active document after committing its open editor;
    // nullptr without a document.
    std::unique_ptr<corvane::PrintPageModel> ActiveListing() const;

private:
    bool CheckPrinter() const;
    void PrintPages(QPrinter &printer, const corvane::PrintPageModel &model) const;
    void Message(const QString &text) const;

    AppState &m_app;
    const Prompts &m_prompts;
    CMainFrame &m_frame;
    DocumentCommands &m_docs;
    std::function<QPrinter &()> m_printer;
    Dialogs m_dialogs;
};
