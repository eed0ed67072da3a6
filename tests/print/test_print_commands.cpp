// The print commands in the desktop program: Print with its page range and
// the open editor committed first, Print Preview, Export PDF, the shared
// printer of Print Setup, and a machine without a printer.
#include "PdfTools.h"
#include "app/DocumentCommands.h"
#include "app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"
#include "print/PrintCommands.h"

#include <QPrinter>

namespace {

class Printing : public AppFixture {
protected:
    explicit Printing(const char *language = "English") : AppFixture(language)
    {
        PrintCommands::Dialogs d;
        d.printerAvailable = [this] { return printerInstalled; };
        d.print = [this](QPrinter &printer, int pageCount, QWidget *) {
            offered << pageCount;
            rangeAtStart << printer.printRange();
            printedOn = &printer;
            ToPdf(printer);
            if (range.first > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(range.first, range.second);
            }
            return accept;
        };
        d.preview = [this](QPrinter &printer, const QString &, const PrintCommands::Dialogs::Paint &paint, QWidget *) {
            printedOn = &printer;
            ToPdf(printer);
            paint(&printer);
        };
        s.app->Printing()->SetDialogs(d);
    }

    void ToPdf(QPrinter &printer)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target.isEmpty() ? Pdf() : target);
    }
    QString Pdf() const { return s.folder.File(QStringLiteral("printed.pdf")); }

    bool printerInstalled = true;
    bool accept = true;
    QPair<int, int> range{0, 0};
    QList<int> offered;
    QList<QPrinter::PrintRange> rangeAtStart;
    QPrinter *printedOn = nullptr;
    QString target; // where the dialogs send the pages; empty: Pdf()
};

class PrintingChinese : public Printing {
protected:
    PrintingChinese() : Printing("Chinese") {}
};

} // namespace

// The eighth channel is still in its editor: every command commits the
// open editor first (what is printed is what the grid shows).
TEST_F(Printing, PrintOffersPagesOneToNAndPrintsTheChosenRange)
{
    CProgramView *view = frame->ActiveChild()->GetView();
    for (int r = 1; r <= 8; ++r) {
        view->Grid().SetRowCol(r, 1);
        view->OnEnterCell();
        view->EditRx().setText(QStringLiteral("14%1.00000").arg(r));
        if (r < 8)
            view->OnLeaveCell();
    }
    range = {2, 3};
    ASSERT_TRUE(Run(Cmd::FilePrint));
    EXPECT_EQ(offered, QList<int>{3});
    EXPECT_EQ(printedOn, &s.app->Printer());
    EXPECT_EQ(pdftools::Info(Pdf(), "Pages"), "2");
    const QString text = pdftools::Text(Pdf());
    EXPECT_FALSE(text.contains("Page 1 of 3"));
    EXPECT_EQ(pdftools::FirstOutOfOrder(text, {"Channel 0:", "Page 2 of 3", "Channel 7:", "148.00000", "Page 3 of 3"}), "");

    // The next print starts from all pages again; cancelling prints nothing.
    QFile::remove(Pdf());
    accept = false;
    ASSERT_TRUE(Run(Cmd::FilePrint));
    EXPECT_EQ(rangeAtStart.last(), QPrinter::AllPages);
    EXPECT_FALSE(QFile::exists(Pdf()));
    EXPECT_TRUE(s.script.messages.isEmpty());

    // Print direct: every page, no dialog.
    ASSERT_TRUE(Run(Cmd::FilePrintDirect));
    EXPECT_EQ(offered.size(), 2);
    EXPECT_EQ(pdftools::Info(Pdf(), "Pages"), "3");

    // A print that cannot start says where it went.
    accept = true;
    target = s.folder.File("missing/printed.pdf");
    ASSERT_TRUE(Run(Cmd::FilePrint));
    EXPECT_EQ(s.script.messages, QStringList{QStringLiteral("Printing on \"%1\" failed.").arg(target)});
}

// Preview and export also work without a printer, on the paper chosen in
// Print Setup.
TEST_F(Printing, WithoutAPrinterPrintSaysSoAndPreviewAndExportStillWork)
{
    printerInstalled = false;
    s.app->Printer().setPageOrientation(QPageLayout::Landscape);
    s.app->Printer().setPageSize(QPageSize(QPageSize::Letter));
    ASSERT_TRUE(Run(Cmd::FilePrint));
    ASSERT_TRUE(Run(Cmd::FilePrintDirect));
    const QString noPrinter = "No printer is installed on this computer. Use Print Preview to see the pages, "
                              "or Export PDF to write them to a file.";
    EXPECT_EQ(s.script.messages, QStringList({noPrinter, noPrinter}));
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_FALSE(QFile::exists(Pdf()));

    ASSERT_TRUE(Run(Cmd::FilePrintPreview));
    EXPECT_EQ(pdftools::Info(Pdf(), "Pages"), "1");
    EXPECT_EQ(pdftools::Info(Pdf(), "Page size"), "792 x 612");
    EXPECT_TRUE(pdftools::Text(Pdf()).contains("Test Owner"));
    s.script.fileNames = {s.folder.File("export.pdf")};
    ASSERT_TRUE(s.app->Printing()->OnExportPdf());
    EXPECT_EQ(pdftools::Info(s.folder.File("export.pdf"), "Page size"), "792 x 612");
}

// The choice of the file and the question before a file is replaced:
// tests/app (Save As).
TEST_F(Printing, ExportNamesAFileItCannotWriteAndProposesTheDocumentsName)
{
    PrintCommands &print = *s.app->Printing();
    const QString bad = s.folder.File("missing/listing.pdf");
    s.script.fileNames = {bad};
    EXPECT_FALSE(print.OnExportPdf());
    EXPECT_EQ(s.script.messages, QStringList{QStringLiteral("Cannot write the file \"%1\". An existing file of that "
                                                            "name was left as it was.").arg(bad)});
    // An opened file proposes its own name beside it.
    CProgramDoc doc;
    ASSERT_TRUE(doc.Save(s.folder.File("radio.dat")).ok());
    ASSERT_TRUE(s.app->Documents()->OpenFile(s.folder.File("radio.dat")));
    s.script.proposedNames.clear();
    EXPECT_FALSE(print.OnExportPdf());
    EXPECT_EQ(s.script.proposedNames, QStringList{s.folder.File("radio.pdf")});
}

TEST_F(PrintingChinese, ChineseListing)
{
    ASSERT_TRUE(Run(Cmd::FilePrintPreview));
    EXPECT_EQ(pdftools::FirstOutOfOrder(pdftools::Text(Pdf()),
                                        QString::fromUtf8("可选功能|功能|超时定时器:|提示音:|开|测试所有者|Page 1 of 1").split('|')),
              "");
}
