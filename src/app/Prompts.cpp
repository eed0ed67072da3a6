#include "app/Prompts.h"

#include <QFileDialog>
#include <QProcess>
#include <cstdio>

static bool StartDetached(const QString &program)
{
    return QProcess::startDetached(program, {});
}

Prompts Prompts::Interactive()
{
    Prompts p;
    p.message = [](QWidget *parent, const QString &caption, const QString &text,
                   QMessageBox::StandardButtons buttons) {
        const QMessageBox::Icon icon = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Question
                                                                              : QMessageBox::Warning;
        QMessageBox box(icon, caption, text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    p.openFile = [](QWidget *parent, const QString &title, const QString &proposed, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, proposed, filter);
    };
    p.saveFile = [](QWidget *parent, const QString &title, const QString &proposed, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, title, proposed, filter);
    };
    p.restart = StartDetached;
    return p;
}

Prompts Prompts::Scripted()
{
    Prompts p;
    p.message = [](QWidget *, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton;
    };
    p.openFile = [](QWidget *, const QString &, const QString &, const QString &) { return QString(); };
    p.saveFile = p.openFile;
    p.restart = StartDetached;
    return p;
}
