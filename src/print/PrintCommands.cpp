#include "print/PrintCommands.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "app/Prompts.h"
#include "app/SaveFileQuestion.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "print/PagePainter.h"
#include "print/PdfExport.h"
#include "print/PrintPageModel.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

using corvane::PagePainter;
using corvane::PrintPageModel;

PrintCommands::Dialogs PrintCommands::Dialogs::Interactive()
{
    Dialogs d;
    d.print = [](QPrinter &printer, int pageCount, QWidget *parent) {
        QPrintDialog dlg(&printer, parent);
        dlg.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile
                       | QAbstractPrintDialog::PrintShowPageSize);
        dlg.setMinMax(1, pageCount);
        return dlg.exec() == QDialog::Accepted;
    };
    d.preview = [](QPrinter &printer, const QString &title, const Dialogs::Paint &paint, QWidget *parent) {
        QPrintPreviewDialog dlg(&printer, parent);
        dlg.setWindowTitle(title);
        QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, paint);
        if (parent)
            dlg.resize(parent->window()->size() * 0.9);
        dlg.exec();
    };
    d.printerAvailable = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    return d;
}

PrintCommands::PrintCommands(AppState &app, const Prompts &prompts, CMainFrame &frame, DocumentCommands &docs,
                             std::function<QPrinter &()> printer)
    : m_app(app), m_prompts(prompts), m_frame(frame), m_docs(docs), m_printer(std::move(printer)),
      m_dialogs(Dialogs::Interactive())
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::Register(CommandRouter &router)
{
    const auto hasDocument = [this] { return m_frame.ActiveChild() != nullptr; };
    router.Set(Cmd::FilePrint, {[this] { OnFilePrint(); }, hasDocument, {}});
    router.Set(Cmd::FilePrintDirect, {[this] { OnFilePrintDirect(); }, hasDocument, {}});
    router.Set(Cmd::FilePrintPreview, {[this] { OnFilePrintPreview(); }, hasDocument, {}});
    router.Set(Cmd::FileExportPdf, {[this] { OnExportPdf(); }, hasDocument, {}});
}

void PrintCommands::Message(const QString &text) const
{
    m_prompts.message(&m_frame, m_app.MessageCaption(), text, QMessageBox::Ok);
}

std::unique_ptr<PrintPageModel> PrintCommands::ActiveListing() const
{
    CChildFrame *child = m_frame.ActiveChild();
    if (!child)
        return nullptr;
    CProgramView *view = child->GetView();
    view->OnLeaveCell();
    return std::make_unique<PrintPageModel>(view->Table(), child->GetDocument().m_image, m_app.chinese,
                                            m_app.LanguageText("Copyrights Owner"));
}

bool PrintCommands::CheckPrinter() const
{
    if (m_dialogs.printerAvailable())
        return true;
    Message(m_app.bundle.String(Ids::NoPrinter));
    return false;
}

void PrintCommands::PrintPages(QPrinter &printer, const PrintPageModel &model) const
{
    // A page range chosen in the print dialog; otherwise every page.
    const QPageRanges pages = printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    if (PagePainter::Paint(printer, model, pages))
        return;
    // A print to a file names the file.
    const QString target = printer.outputFileName().isEmpty() ? printer.printerName()
                                                              : QDir::toNativeSeparators(printer.outputFileName());
    Message(m_app.bundle.String(Ids::PrintFailed).arg(target));
}

// The dialogs start from all pages, not from the range of the last print.
static void ResetRange(QPrinter &printer, int pageCount)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, pageCount);
}

void PrintCommands::OnFilePrint()
{
    const std::unique_ptr<PrintPageModel> model = ActiveListing();
    if (!model || !CheckPrinter())
        return;
    QPrinter &printer = m_printer();
    ResetRange(printer, model->PageCount());
    if (m_dialogs.print(printer, model->PageCount(), &m_frame))
        PrintPages(printer, *model);
}

void PrintCommands::OnFilePrintDirect()
{
    const std::unique_ptr<PrintPageModel> model = ActiveListing();
    if (!model || !CheckPrinter())
        return;
    QPrinter &printer = m_printer();
    ResetRange(printer, model->PageCount());
    PrintPages(printer, *model);
}

void PrintCommands::OnFilePrintPreview()
{
    const std::unique_ptr<PrintPageModel> model = ActiveListing();
    if (!model)
        return;
    QPrinter &printer = m_printer();
    ResetRange(printer, model->PageCount());
    // The preview's own Print button paints through the same function,
    // with the range its print dialog chose.
    m_dialogs.preview(printer, m_app.bundle.ToolTip(Cmd::FilePrintPreview),
                      [this, &model](QPrinter *p) { PrintPages(*p, *model); }, &m_frame);
}

bool PrintCommands::OnExportPdf()
{
    CChildFrame *child = m_frame.ActiveChild();
    const std::unique_ptr<PrintPageModel> model = ActiveListing();
    if (!child || !model)
        return false;
    const QString filter = QStringLiteral("%1 (*.pdf)").arg(m_app.bundle.String(Ids::PdfFilter));
    const QString path = AskSaveFile(m_app, m_prompts, &m_frame, m_app.bundle.ToolTip(Cmd::FileExportPdf),
                                     m_docs.ProposedName(child, QStringLiteral(".pdf")), filter, QStringLiteral(".pdf"));
    if (path.isEmpty())
        return false;
    const corvane::Result r = corvane::WritePdf(path, *model, m_printer().pageLayout(), child->GetDocument().GetTitle());
    if (!r.ok()) {
        Message(m_app.bundle.String(Ids::PdfWriteFailed).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}
