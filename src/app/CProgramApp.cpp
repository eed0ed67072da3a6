#include "app/CProgramApp.h"

#include "app/AppState.h"
#include "app/BundleUi.h"
#include "app/CAboutDlg.h"
#include "app/CLanguageDlg.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "app/EditCommands.h"
#include "app/HelpService.h"
#include "app/QtTranslations.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/Codecs.h"
#include "image/Texts.h"
#include "link/TransferController.h"
#include "print/PrintCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <cstdio>

CProgramApp::CProgramApp(AppState &app, Prompts prompts) : m_app(app), m_prompts(std::move(prompts)) {}

CProgramApp::~CProgramApp()
{
    HelpService::SetReporter(nullptr);
    m_print.reset();
    m_frame.reset();
    m_edit.reset();
    m_docs.reset();
}

QMessageBox::StandardButton CProgramApp::Message(const QString &text, QMessageBox::StandardButtons buttons)
{
    return m_prompts.message(m_frame.get(), m_app.MessageCaption(), text, buttons);
}

bool CProgramApp::InitInstance(const QStringList &arguments)
{
    m_app.settings.Load("Program.ini", true, true);
    m_app.ApplyLanguage(m_app.settings.GetString("Setup", "Language"));
    QtTranslations::Install(m_app.chinese, this);
    const QString language = CProfileFile::Decode(m_app.languageName);
    if (!m_app.bundle.Load(CProfileFile::ProgramFolder(), language)) {
        const QString file = LanguageBundle::FileFor(CProfileFile::ProgramFolder(), language);
        Message(corvane::Txt::LoadLanguageFail.text(m_app.chinese) + QLatin1Char('\n') +
                    corvane::Txt::LanguageFileLookedFor.text(m_app.chinese).arg(QDir::toNativeSeparators(file)),
                QMessageBox::Ok);
        return false;
    }
    m_frame = std::make_unique<CMainFrame>(m_app);
    const corvane::Result created = m_frame->Create();
    if (!created.ok()) {
        std::fprintf(stderr, "Corvane: %s\n", qUtf8Printable(created.text));
        m_frame.reset();
        return false;
    }
    m_docs = std::make_unique<DocumentCommands>(m_app, m_prompts, *m_frame);
    m_print = std::make_unique<PrintCommands>(m_app, m_prompts, *m_frame, *m_docs, [this]() -> QPrinter & { return Printer(); });
    m_edit = std::make_unique<EditCommands>(m_app, m_prompts, *m_frame, *m_docs);
    RegisterCommands();
    // A manual that is missing or cannot be shown is said, with its path.
    HelpService::SetReporter([this](int stringId, const QString &path) {
        Message(m_app.bundle.String(stringId).arg(path), QMessageBox::Ok);
    });
    // Exit, the close box and the close before a restart all end here.
    m_frame->SetCloseGuard([this] {
        return m_closeConfirmed || m_docs->Guard().ConfirmAll(m_frame->ChildFramesActiveFirst());
    });

    QString file;
    for (const QString &a : arguments)
        if (file.isEmpty() && !a.trimmed().isEmpty())
            file = a;
    if (file.isEmpty()) {
        m_docs->NewDocument();
    } else if (!m_docs->OpenFile(file)) {
        m_print.reset();
        m_edit.reset();
        m_docs.reset();
        m_frame.reset();
        return false;
    }
    m_frame->ShowMaximized();
    m_frame->repaint();
    SetMainIcon();
    m_app.appName = m_app.LanguageText("Company");
    AdaptMenus();
    return true;
}

void CProgramApp::RegisterCommands()
{
    CommandRouter &r = m_frame->Router();
    const auto hasDocument = [this] { return m_docs->HasActiveDocument(); };
    r.Set(Cmd::FileNew, {[this] { OnFileNew(); }, {}, {}});
    r.Set(Cmd::FileOpen, {[this] { m_docs->OnFileOpen(); }, {}, {}});
    r.Set(Cmd::FileClose, {[this] { m_docs->OnFileClose(); }, hasDocument, {}});
    r.Set(Cmd::FileSave, {[this] { m_docs->OnFileSave(); }, hasDocument, {}});
    r.Set(Cmd::FileSaveAs, {[this] { m_docs->OnFileSaveAs(); }, hasDocument, {}});
    r.Set(Cmd::FilePrintSetup, {[this] { OnFilePrintSetup(); }, {}, {}});
    m_print->Register(r);
    r.Set(Cmd::AppAbout, {[this] { OnAppAbout(); }, {}, {}});
    r.Set(Cmd::Language, {[this] { OnLanguage(); }, hasDocument, {}});
}

void CProgramApp::SetMainIcon()
{
    QIcon icon(QStringLiteral("title.ico"));
    if (icon.availableSizes().isEmpty())
        icon = BundleUi::Icon(Res::MainFrame);
    m_frame->setWindowIcon(icon);
}

void CProgramApp::AdaptMenus()
{
    // A configured "About Title" names the first Help entry; without one
    // the bundle's own text stays rather than an empty entry.
    const QString about = m_app.LanguageText("About Title");
    QMenu *help = m_frame->DocumentMenu(5);
    if (help && !help->actions().isEmpty() && !about.isEmpty())
        help->actions().constFirst()->setText(about);
    QMenu *setup = m_frame->DocumentMenu(4);
    if (setup && corvane::ParseInteger(QString::fromLatin1(m_app.settings.GetString("Setup", "ShowLang"))) == 0)
        for (QAction *a : setup->actions())
            if (a->data().toInt() == Cmd::Language)
                delete a;
}

void CProgramApp::OnFileNew()
{
    // A running radio transfer stops first; New comes again once it has.
    if (TransferController::CancelTransfersFirst([this] { OnFileNew(); }))
        return;
    if (CChildFrame *child = m_frame->ActiveChild()) {
        // One question: "All data will be Cleared!", offering to save first
        // when there are unsaved changes.
        const QString cleared = m_app.bundle.String(Ids::AllDataCleared);
        if (m_docs->Guard().Confirm(child, cleared) == UnsavedChangesGuard::Cancelled)
            return;
        // The windows hidden by Close or by opening a file go as well, so
        // that one document remains; their unsaved changes are asked first.
        QList<CChildFrame *> others = m_frame->ChildFrames();
        others.removeOne(child);
        if (!m_docs->Guard().ConfirmAll(others))
            return;
        qDeleteAll(others);
        m_frame->DestroyActiveChild();
    }
    m_docs->NewDocument();
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg dlg(m_app, m_frame.get());
    dlg.exec();
}

void CProgramApp::OnLanguage()
{
    CLanguageDlg dlg(m_app, m_frame.get());
    if (dlg.exec() != QDialog::Accepted || !dlg.m_bChanged)
        return;
    // Unsaved changes are asked about before anything else; Cancel keeps
    // the program running in its language, also after this run.
    if (!m_docs->Guard().ConfirmAll(m_frame->ChildFramesActiveFirst())) {
        m_app.settings.SetString("Setup", "Language", m_app.languageName);
        return;
    }
    // The new instance reads the file as it starts, so the choice is
    // written first; without it the restart would bring the old language.
    if (!m_app.settings.Save()) {
        Message(m_app.bundle.String(Ids::LanguageNotSaved), QMessageBox::Ok);
        return;
    }
    m_closeConfirmed = true; // asked above: the close does not ask again
    m_frame->close();
    m_closeConfirmed = false;
    m_prompts.restart(QCoreApplication::applicationFilePath());
}

QPrinter &CProgramApp::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void CProgramApp::OnFilePrintSetup()
{
    QPageSetupDialog dlg(&Printer(), m_frame.get());
    dlg.exec();
}
